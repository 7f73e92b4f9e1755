// The wizard start-up runs (steps 5 to 7): the property sheet with its nine pages, built
// for the application object, whose run-wide flags the pages read and write.
#pragma once

#include <windows.h>

#include <memory>

#include "installer/InstallerApp.h"
#include "installer/InstallerWizard.h"
#include "installer/WizardSeams.h"
#include "installer/win32/WizardSheet.h"

namespace marvella {

class SheetWizard final : public InstallerWizard {
 public:
  // Dialogs and texts come from `resources`. `toolbar` is the toolbar library installation
  // (borrowed); null until that routine exists: then nothing is installed.
  explicit SheetWizard(HMODULE resources, ToolbarLibraryInstaller* toolbar = nullptr);

  // Step 5: the sheet and its pages, not shown yet. Its window, once it runs, owns the
  // installer's message boxes and dialogs (CWPSheet::Window, reached from every page).
  void Build(InstallerApp& app) override;
  // Step 6, and Finish on the final page.
  bool InstallToolbarLibrary(InstallerApp& app) override;
  // Step 7: the modal run; the pages and the sheet are destroyed when it ends.
  void RunModal(InstallerApp& app) override;

  // The sheet between Build and the end of RunModal, else null.
  WizardSheet* Sheet() { return sheet_.get(); }

 private:
  class NoToolbarLibraryYet final : public ToolbarLibraryInstaller {
   public:
    bool InstallToolbarLibrary() override { return false; }
  };

  HMODULE resources_;
  NoToolbarLibraryYet noToolbar_;
  ToolbarLibraryInstaller& toolbar_;
  std::unique_ptr<WizardSheet> sheet_;
};

}  // namespace marvella
