// Page 4, personal data: the mandatory data of the user, with the "Política de
// Privacidad" hyperlink (static 1061) that opens the privacy dialog.
// Until its own rules are built it shows its dialog and answers through the seam the
// wizard gives the flow for it (see WizardSheet).
#pragma once

#include "installer/win32/CStaticLink.h"
#include "installer/win32/CWizardPage.h"
#include "installer/win32/WizardResource.h"

namespace marvella {

class CWPUserInfo : public CWizardPage {
 public:
  explicit CWPUserInfo(HMODULE resources)
      : CWizardPage(kPersonalDataPage, IDD_USERINFO), privacyLink_(resources) {}

 protected:
  void OnInitDialog() override {
    privacyLink_.Attach(Item(IDC_UI_PRIVACY_LINK));
    CWizardPage::OnInitDialog();
  }

 private:
  CStaticLink privacyLink_;
};

}  // namespace marvella
