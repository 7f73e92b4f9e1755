// install.exe's installation record and log (monitor/InstallRecord.h): what the final actions
// and the toolbar installation created or replaced, for the uninstall, and one log line per
// step beside marvella.exe, for support.
#pragma once

#include <windows.h>

#include "installer/FinalActions.h"

namespace marvella {

// The final actions as they are, each step recorded and logged as it happens.
class RecordingFinalActions final : public FinalActionsPlatform {
 public:
  explicit RecordingFinalActions(FinalActionsPlatform& actions) : actions_(actions) {}

  bool CreateDialEntry(const DialEntrySettings& entry) override;
  std::string WindowsDirectory() override { return actions_.WindowsDirectory(); }
  // With the monitor written, the Add/Remove Programs entry that runs its uninstall.
  bool WriteMonitorProgram(const std::string& path) override;
  std::string DesktopDirectory() override { return actions_.DesktopDirectory(); }
  bool SaveShortcut(const ShortcutSettings& shortcut) override;
  bool OpenAddress(const std::string& address) override { return actions_.OpenAddress(address); }
  // Keeps what each start-page value held before, then records what was written.
  bool SetStartPage(const std::string& address) override;

 private:
  FinalActionsPlatform& actions_;
};

// The toolbar installation's outcome: the library in the system directory, recorded when
// its registration was started.
void RecordToolbarLibrary(const std::string& library, bool registrationStarted);

// One line of the installation log: the local time, the step and what it concerns, and
// "correcto" or the Windows error (`error` as GetLastError gave it).
void LogInstallStep(const char* step, const char* subject, bool done, DWORD error);

}  // namespace marvella
