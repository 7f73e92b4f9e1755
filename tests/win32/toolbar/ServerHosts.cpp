// Host programs for the COM server tests.
#include "tests/win32/toolbar/ServerHosts.h"

#include "tests/win32/support/TestPrograms.h"

namespace marvella::testing {

std::string PrepareHost(const std::string& folder, const std::string& name) {
  std::string host = folder + name;
  test::CopyTo(test::BinDir() + "tandem_host.exe", host);
  return host;
}

void ChooseShellVersion(const char* version) {
  SetEnvironmentVariableA("MARVELLA_SHELL_VERSION", version);
}

std::string LibraryPath() { return test::BinDir() + "tandem.dll"; }

}  // namespace marvella::testing
