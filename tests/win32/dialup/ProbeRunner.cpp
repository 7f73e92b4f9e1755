// Child processes for the tests that need a fresh process: the library is loaded once per
// process and never unloaded.
#include "tests/win32/dialup/ProbeRunner.h"

#include "tests/win32/support/TestPrograms.h"

namespace marvella::test {

std::string PrepareProbe(const std::string& folder, const std::string& name,
                         const std::string& version) {
  std::string probe = folder + "\\" + name;
  CopyTo(BinDir() + "ras_probe.exe", probe);
  if (!version.empty()) RunAsWindowsVersion(name, version);
  return probe;
}

std::vector<std::string> RunProbe(const std::string& probe,
                                  const std::vector<std::string>& commands) {
  std::string output = probe + ".out";
  DeleteFileA(output.c_str());
  std::string commandLine = "\"" + probe + "\" \"" + output + "\"";
  for (const std::string& c : commands) commandLine += " \"" + c + "\"";
  HANDLE process = StartProgram(probe, commandLine, nullptr);
  if (!process) return {};
  DWORD waited = WaitForSingleObject(process, 60000);
  CloseHandle(process);
  if (waited != WAIT_OBJECT_0) return {};
  return ReadWholeLines(output);
}

}  // namespace marvella::test
