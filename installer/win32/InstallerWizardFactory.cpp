// The wizard of install.exe. The sheet and its pages are not built yet: start-up runs
// through the pending wizard, which shows nothing.
#include "installer/win32/InstallerWizardFactory.h"

#include "installer/win32/PendingWizard.h"

namespace marvella {

std::unique_ptr<InstallerWizard> CreateInstallerWizard() {
  return std::make_unique<PendingWizard>();
}

}  // namespace marvella
