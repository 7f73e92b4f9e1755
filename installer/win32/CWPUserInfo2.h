// Page 5, interests: mailings, where the user connects from and the topics of interest.
// The page moves values between its buttons and its model (installer/InterestsData.h).
#pragma once

#include "installer/InstallerApp.h"
#include "installer/InterestsData.h"
#include "installer/WizardSeams.h"
#include "installer/win32/CWizardPage.h"
#include "installer/win32/WizardResource.h"

namespace marvella {

class CWPUserInfo2 : public CWizardPage, public PageSeam {
 public:
  explicit CWPUserInfo2(InstallerApp& app)
      : CWizardPage(kInterestsPage, IDD_USERINFO2), app_(app) {}

  // PageSeam
  void Init() override;
  void Show() override {}
  bool ValidateNext() override;
  void LeaveForward() override {}

 private:
  InstallerApp& app_;
};

}  // namespace marvella
