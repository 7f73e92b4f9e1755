// The toolbar library installation of install.exe: the system's files and shell behind
// InstallToolbarLibrary (installer/ToolbarLibraryInstall.h).
#pragma once

#include "installer/ToolbarLibraryInstall.h"
#include "installer/WizardSeams.h"

namespace marvella {

class SystemToolbarLibrary final : public ToolbarLibraryInstaller, ToolbarLibraryPlatform {
 public:
  bool InstallToolbarLibrary() override;

 private:
  std::string ProgramPath() override;
  std::string SystemDirectory() override;
  bool CopyReplacing(const std::string& from, const std::string& to) override;
  void SetArchiveOnly(const std::string& path) override;
  bool CanRead(const std::string& path) override;
  bool Start(const std::string& program, const std::string& parameters) override;
};

}  // namespace marvella
