// Page 6, optional data (new users only): stock, football club, zodiac sign and weather.
// The page moves values between its lists and its model (installer/OptionalData.h).
#pragma once

#include "installer/InstallerApp.h"
#include "installer/OptionalData.h"
#include "installer/WizardSeams.h"
#include "installer/win32/CWizardPage.h"
#include "installer/win32/WizardResource.h"

namespace marvella {

class CWPUserInfo3 : public CWizardPage, public PageSeam {
 public:
  explicit CWPUserInfo3(InstallerApp& app)
      : CWizardPage(kOptionalDataPage, IDD_USERINFO3), app_(app) {}

  // PageSeam
  void Init() override;
  void Show() override;
  bool ValidateNext() override;
  void LeaveForward() override {}

 private:
  OptionalDataForm ReadForm() const;

  InstallerApp& app_;
};

}  // namespace marvella
