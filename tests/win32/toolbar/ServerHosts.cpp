// Host programs for the COM server tests.
#include "tests/win32/toolbar/ServerHosts.h"

#include "tests/win32/support/TestPrograms.h"

namespace marvella::testing {

std::string PrepareHost(const std::string& folder, const std::string& name) {
  std::string host = folder + name;
  CopyFileA((test::BinDir() + "tandem_host.exe").c_str(), host.c_str(), FALSE);
  return host;
}

void ChooseShellVersion(const char* version) {
  SetEnvironmentVariableA("MARVELLA_SHELL_VERSION", version);
}

std::string LibraryPath() { return test::BinDir() + "tandem.dll"; }

}  // namespace marvella::testing
