// Host programs for tandem.dll's COM server tests: copies of tandem_host.exe named as the
// hosts they play, the shell version the stand-in answers them, and the library itself.
#pragma once

#include <windows.h>

#include <string>

namespace marvella::testing {

// Copies bin/tandem_host.exe to folder + name and returns its path.
std::string PrepareHost(const std::string& folder, const std::string& name);

// The shell version the stand-in answers to every program this test starts from now on
// ("5.50", "6.0", "absent", "noentry"; see simulators/shell/README.md).
void ChooseShellVersion(const char* version);

// bin/tandem.dll.
std::string LibraryPath();

}  // namespace marvella::testing
