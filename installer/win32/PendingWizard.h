// The InstallerWizard that start-up uses until the wizard sheet and its pages exist: it
// builds and shows nothing, and installs no toolbar library. Replace it in
// CreateInstallerWizard (InstallerWizardFactory.cpp) with the sheet.
#pragma once

#include "installer/InstallerWizard.h"

namespace marvella {

class PendingWizard final : public InstallerWizard {
 public:
  void Build(InstallerApp&) override {}
  bool InstallToolbarLibrary(InstallerApp&) override { return false; }
  void RunModal(InstallerApp&) override {}
};

}  // namespace marvella
