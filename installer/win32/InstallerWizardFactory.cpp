// The wizard of install.exe: the sheet with its nine pages. The toolbar library
// installation of the final page is not built yet, so none is passed.
#include "installer/win32/InstallerWizardFactory.h"

#include <windows.h>

#include "installer/win32/SheetWizard.h"

namespace marvella {

std::unique_ptr<InstallerWizard> CreateInstallerWizard() {
  return std::make_unique<SheetWizard>(GetModuleHandleA(nullptr));
}

}  // namespace marvella
