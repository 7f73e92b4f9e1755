// The wizard of install.exe: the sheet with its nine pages, and the toolbar library
// installation that start-up and Finish run.
#include "installer/win32/InstallerWizardFactory.h"

#include <windows.h>

#include "installer/win32/SheetWizard.h"
#include "installer/win32/SystemToolbarLibrary.h"

namespace marvella {

std::unique_ptr<InstallerWizard> CreateInstallerWizard() {
  static SystemToolbarLibrary toolbar;  // holds nothing; lives as long as the program
  return std::make_unique<SheetWizard>(GetModuleHandleA(nullptr), &toolbar);
}

}  // namespace marvella
