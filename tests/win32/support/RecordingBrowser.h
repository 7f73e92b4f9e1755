// Wine's browser launcher runs a recorder instead of a browser: each address a program opens
// becomes a line of browser-log.txt in that program's working directory, and nothing opens.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <string>

namespace marvella::test {

// Sets HKCU\Software\Wine\WineBrowser "Browsers" to tests/win32/monitor/record-browser. The
// value is the same for every test, so tests running side by side agree on it.
inline bool UseRecordingBrowser() {
  const char* source = std::getenv("MARVELLA_SOURCE_DIR");
  if (!source) return false;
  std::string recorder = std::string(source) + "/tests/win32/monitor/record-browser";
  HKEY key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\WineBrowser", 0, nullptr, 0, KEY_WRITE,
                      nullptr, &key, nullptr) != ERROR_SUCCESS)
    return false;
  LONG r = RegSetValueExA(key, "Browsers", 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(recorder.c_str()),
                          DWORD(recorder.size() + 1));
  RegCloseKey(key);
  return r == ERROR_SUCCESS;
}

}  // namespace marvella::test
