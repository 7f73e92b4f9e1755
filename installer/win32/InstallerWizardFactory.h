// Where install.exe gets its wizard from: the one place that names the implementation of
// the InstallerWizard seam.
#pragma once

#include <memory>

#include "installer/InstallerWizard.h"

namespace marvella {

std::unique_ptr<InstallerWizard> CreateInstallerWizard();

}  // namespace marvella
