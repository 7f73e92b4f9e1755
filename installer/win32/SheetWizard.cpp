// Start-up's wizard over the sheet.
#include "installer/win32/SheetWizard.h"

namespace marvella {

SheetWizard::SheetWizard(HMODULE resources, ToolbarLibraryInstaller* toolbar)
    : resources_(resources), toolbar_(toolbar ? *toolbar : noToolbar_) {}

void SheetWizard::Build(InstallerApp& app) {
  sheet_ = std::make_unique<WizardSheet>(resources_, app, toolbar_);
}

bool SheetWizard::InstallToolbarLibrary(InstallerApp&) { return toolbar_.InstallToolbarLibrary(); }

void SheetWizard::RunModal(InstallerApp&) {
  if (!sheet_) return;
  sheet_->RunModal();
  sheet_.reset();
}

}  // namespace marvella
