// The final actions of the results page on the machine itself: the phonebook, the monitor
// program from the installer's own resource, the shell-link object, the shell and the
// registry (installer/FinalActions.h).
#pragma once

#include <windows.h>

#include "installer/FinalActions.h"

namespace marvella {

class SystemFinalActions final : public FinalActionsPlatform {
 public:
  // `resources` holds the monitor program (type "OURDATA", id 156): install.exe itself.
  explicit SystemFinalActions(HMODULE resources) : resources_(resources) {}

  bool CreateDialEntry(const DialEntrySettings& entry) override;
  std::string WindowsDirectory() override;
  bool WriteMonitorProgram(const std::string& path) override;
  std::string DesktopDirectory() override;
  bool SaveShortcut(const ShortcutSettings& shortcut) override;
  bool OpenAddress(const std::string& address) override;
  bool SetStartPage(const std::string& address) override;

 private:
  HMODULE resources_;
};

// The folder a shell-folders value names: a REG_SZ as it is, a REG_EXPAND_SZ with its
// environment variables expanded; empty for other types or a result too long for a path.
std::string FolderOfValue(DWORD type, const char* value);

}  // namespace marvella
