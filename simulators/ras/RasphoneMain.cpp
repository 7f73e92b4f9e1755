// rasphone.exe stand-in: "rasphone.exe <entry>" dials the entry (Windows NT's dialler).
#include <windows.h>

#include "simulators/ras/StandInDial.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  marvella::rassim::RunStandInDialler("rasphone.exe", commandLine, commandLine);
  return 0;
}
