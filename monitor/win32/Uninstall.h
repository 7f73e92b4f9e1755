// marvella.exe's uninstall mode, reached from Add/Remove Programs: asks, takes back what the
// installation record names (monitor/UndoPlan.h) and tells the user how it went.
#pragma once

namespace marvella {

// True when the command line asks for the uninstall (kUninstallSwitch, blanks and case
// aside) rather than naming a connection.
bool IsUninstallCommand(const char* commandLine);

void RunUninstall();

}  // namespace marvella
