// rundll32.exe stand-in: "rundll32.exe rnaui.dll,RnaDial <entry>" dials the entry (the
// Windows 9x dialler); any other command line is only journalled.
#include <windows.h>

#include <cstring>
#include <string>

#include "simulators/ras/StandInDial.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  static const char kDial[] = "rnaui.dll,RnaDial";
  const std::size_t n = sizeof kDial - 1;
  std::string entry;
  if (std::strlen(commandLine) >= n &&
      CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, commandLine, int(n), kDial, int(n)) ==
          CSTR_EQUAL) {
    const char* rest = commandLine + n;
    if (*rest == ' ') ++rest;
    entry = rest;
  }
  marvella::rassim::RunStandInDialler("rundll32.exe", commandLine, entry);
  return 0;
}
