// Page 3, user type: a new user, or an existing one who fetches the stored data.
// Until its own rules are built it shows its dialog, answers through the seam the wizard
// gives the flow for it (see WizardSheet) and takes the choice it opens with: a new user.
#pragma once

#include "installer/InstallerApp.h"
#include "installer/win32/CWizardPage.h"
#include "installer/win32/WizardResource.h"

namespace marvella {

class CWPUserInfo25 : public CWizardPage {
 public:
  explicit CWPUserInfo25(InstallerApp& app) : CWizardPage(kUserTypePage, IDD_USERTYPE), app_(app) {}

 protected:
  void OnInitDialog() override {
    // "Nuevo usuario de Marvella": the server is told so, and page 4 starts empty.
    app_.user.alta = "1";
    app_.flags.cleanStartRequested = true;
    CWizardPage::OnInitDialog();
  }

 private:
  InstallerApp& app_;
};

}  // namespace marvella
