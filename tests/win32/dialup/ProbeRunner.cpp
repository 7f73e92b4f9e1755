// Child processes for the tests that need a fresh process: the library is loaded once per
// process and never unloaded.
#include "tests/win32/dialup/ProbeRunner.h"

#include <cstdio>

namespace marvella::test {

std::string BinDir() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string p = path;
  return p.substr(0, p.find_last_of("\\/") + 1);
}

bool CopyTo(const std::string& from, const std::string& to) {
  return CopyFileA(from.c_str(), to.c_str(), FALSE) != 0;
}

std::string PrepareProbe(const std::string& folder, const std::string& name,
                         const std::string& version) {
  std::string probe = folder + "\\" + name;
  CopyTo(BinDir() + "ras_probe.exe", probe);
  if (!version.empty()) {
    // Keyed by file name, so every test that uses this name asks for the same version.
    std::string key = "Software\\Wine\\AppDefaults\\" + name;
    HKEY h;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h,
                        nullptr) == ERROR_SUCCESS) {
      RegSetValueExA(h, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version.c_str()),
                     DWORD(version.size() + 1));
      RegCloseKey(h);
    }
  }
  return probe;
}

std::vector<std::string> RunProbe(const std::string& probe,
                                  const std::vector<std::string>& commands) {
  std::vector<std::string> lines;
  std::string output = probe + ".out";
  DeleteFileA(output.c_str());
  std::string commandLine = "\"" + probe + "\" \"" + output + "\"";
  for (const std::string& c : commands) commandLine += " \"" + c + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(probe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process))
    return lines;
  DWORD waited = WaitForSingleObject(process.hProcess, 60000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  if (waited != WAIT_OBJECT_0) return lines;
  FILE* f = std::fopen(output.c_str(), "r");
  if (!f) return lines;
  char line[1024];
  while (std::fgets(line, sizeof line, f)) {
    std::string l = line;
    while (!l.empty() && (l.back() == '\n' || l.back() == '\r')) l.pop_back();
    lines.push_back(l);
  }
  std::fclose(f);
  return lines;
}

}  // namespace marvella::test
