// Programs started by the Win32 tests.
#include "tests/win32/support/TestPrograms.h"

#include <cstdio>

namespace marvella::test {

std::string BinDir() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof path - 1);
  std::string p = path;
  return p.substr(0, p.find_last_of("\\/") + 1);
}

void RunAsWindowsVersion(const std::string& programName, const std::string& version) {
  std::string key = "Software\\Wine\\AppDefaults\\" + programName;
  HKEY h;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h,
                      nullptr) != ERROR_SUCCESS)
    return;
  RegSetValueExA(h, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version.c_str()),
                 DWORD(version.size() + 1));
  RegCloseKey(h);
}

bool CopyTo(const std::string& from, const std::string& to) {
  for (int attempt = 0;; ++attempt) {
    if (CopyFileA(from.c_str(), to.c_str(), FALSE)) return true;
    if (attempt == 50) {
      std::fprintf(stderr, "copy %s -> %s failed: error %lu\n", from.c_str(), to.c_str(),
                   static_cast<unsigned long>(GetLastError()));
      return false;
    }
    Sleep(100);
  }
}

HANDLE StartProgram(const std::string& program, std::string commandLine, const char* folder) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder,
                      &startup, &process)) {
    std::fprintf(stderr, "cannot start %s: error %lu\n", program.c_str(),
                 static_cast<unsigned long>(GetLastError()));
    return nullptr;
  }
  CloseHandle(process.hThread);
  return process.hProcess;
}

std::vector<std::string> ReadWholeLines(const std::string& path) {
  std::vector<std::string> lines;
  FILE* f = std::fopen(path.c_str(), "r");
  if (!f) return lines;
  char line[1024];
  std::string pending;
  while (std::fgets(line, sizeof line, f)) {
    pending += line;
    if (pending.empty() || pending.back() != '\n') continue;  // still being written
    while (!pending.empty() && (pending.back() == '\n' || pending.back() == '\r'))
      pending.pop_back();
    lines.push_back(pending);
    pending.clear();
  }
  std::fclose(f);
  return lines;
}

}  // namespace marvella::test
