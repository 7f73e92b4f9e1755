// The seam between the installer's start-up and its wizard. Start-up (InstallerApp::Run)
// calls, in this order: Build (step 5), InstallToolbarLibrary (step 6) and RunModal
// (step 7). The wizard sheet, its nine pages and the final page's toolbar installation
// implement it; until they exist, start-up runs with an implementation that shows nothing.
#pragma once

namespace marvella {

class InstallerApp;

class InstallerWizard {
 public:
  virtual ~InstallerWizard() = default;

  // Step 5: builds the sheet (empty caption, wizard mode, no Help) and its pages in their
  // order, for `app`, which owns every run-wide value the pages read and write. Start-up
  // records this wizard in app.wizard before calling it.
  virtual void Build(InstallerApp& app) = 0;

  // Step 6: the final page's toolbar installation (copy tandem.dll to the system directory
  // and register it). Start-up runs it once and does not look at the result; Finish runs
  // it again.
  virtual bool InstallToolbarLibrary(InstallerApp& app) = 0;

  // Step 7: runs the sheet modally until Finish or Cancel, then destroys pages and sheet.
  virtual void RunModal(InstallerApp& app) = 0;
};

}  // namespace marvella
