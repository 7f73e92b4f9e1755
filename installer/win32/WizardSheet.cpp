// Building the wizard: the seams the flow asks, then the pages in order.
#include "installer/win32/WizardSheet.h"

namespace marvella {

WizardSheet::WizardSheet(HMODULE resources, InstallerApp& app, ToolbarLibraryInstaller& toolbar,
                         const WizardSeams& pageSeams)
    : app_(app), sheet_(resources), flow_(sheet_, app.flags, seams_),
      userInfo_(resources, app),
      userInfo2_(app),
      userInfo3_(app),
      results_(resources, app) {
  seams_.welcome = &welcome_;
  seams_.license = &license_;
  // Pages 2 to 7 answer for themselves unless a caller scripts them.
  seams_.hardware = pageSeams.hardware ? pageSeams.hardware : &hardware_;
  seams_.userType = pageSeams.userType ? pageSeams.userType : &userType_;
  seams_.personalData = pageSeams.personalData ? pageSeams.personalData : &userInfo_;
  seams_.interests = pageSeams.interests ? pageSeams.interests : &userInfo2_;
  seams_.optionalData = pageSeams.optionalData ? pageSeams.optionalData : &userInfo3_;
  seams_.results = pageSeams.results ? pageSeams.results : &results_;
  seams_.toolbar = &toolbar;

  CWizardPage* pages[kWizardPageCount] = {&welcome_,   &license_,  &hardware_,
                                          &userType_,  &userInfo_, &userInfo2_,
                                          &userInfo3_, &results_,  &final_};
  for (CWizardPage* page : pages) sheet_.AddPage(*page, flow_);
}

WizardEnd WizardSheet::RunModal(HWND owner) {
  if (!sheet_.DoModal(owner)) return WizardEnd::kNotShown;
  return sheet_.Finished() ? WizardEnd::kFinished : WizardEnd::kCancelled;
}

}  // namespace marvella
