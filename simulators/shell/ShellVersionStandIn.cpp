// A shdocvw.dll whose DllGetVersion answers the shell version a test chooses, read from
// MARVELLA_SHELL_VERSION when the library loads:
//   "5.50" (any major.minor)  that version; unset or unreadable: 5.50 (Internet Explorer 5.5)
//   "absent"                  the library refuses to load, as if there were none
//   "noentry"                 it loads without a DllGetVersion entry point
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "simulators/common/HiddenExports.h"

namespace {

DWORD g_major = 5;
DWORD g_minor = 50;

void ReadVersion(const char* text) {
  char* end = nullptr;
  unsigned long major = std::strtoul(text, &end, 10);
  if (end == text || *end != '.') return;
  const char* minorText = end + 1;
  unsigned long minor = std::strtoul(minorText, &end, 10);
  if (end == minorText || *end) return;
  g_major = major;
  g_minor = minor;
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  char choice[64] = "";
  DWORD n = GetEnvironmentVariableA("MARVELLA_SHELL_VERSION", choice, sizeof choice);
  if (n == 0 || n >= sizeof choice) return TRUE;
  if (std::strcmp(choice, "absent") == 0) return FALSE;
  if (std::strcmp(choice, "noentry") == 0) {
    marvella::simulators::HideExport(instance, "DllGetVersion");
    return TRUE;
  }
  ReadVersion(choice);
  return TRUE;
}

// DLLVERSIONINFO (20 bytes) or DLLVERSIONINFO2 (32): any other size is refused, as the
// real one does.
extern "C" HRESULT WINAPI DllGetVersion(DWORD* record) {
  if (!record || (record[0] != 20 && record[0] != 32)) return E_INVALIDARG;
  record[1] = g_major;
  record[2] = g_minor;
  record[3] = 0;  // build
  record[4] = 1;  // DLLVER_PLATFORM_WINDOWS
  return S_OK;
}
