// Page 4, personal data: the mandatory data of the user, with the "Política de
// Privacidad" hyperlink (static 1061) that opens the privacy dialog. The page moves values
// between its controls and its model (installer/PersonalData.h).
#pragma once

#include "installer/InstallerApp.h"
#include "installer/PersonalData.h"
#include "installer/WizardSeams.h"
#include "installer/win32/CStaticLink.h"
#include "installer/win32/CWizardPage.h"
#include "installer/win32/WizardResource.h"

namespace marvella {

class CWPUserInfo : public CWizardPage, public PageSeam {
 public:
  CWPUserInfo(HMODULE resources, InstallerApp& app)
      : CWizardPage(kPersonalDataPage, IDD_USERINFO), app_(app), privacyLink_(resources) {}

  // PageSeam
  void Init() override;
  void Show() override;
  bool ValidateNext() override;
  void LeaveForward() override {}

 protected:
  void OnInitDialog() override {
    privacyLink_.Attach(Item(IDC_UI_PRIVACY_LINK));
    CWizardPage::OnInitDialog();
  }
  void OnCommand(int controlId, int code) override;

 private:
  PersonalDataForm ReadForm() const;
  void WriteForm(const PersonalDataForm& form);

  InstallerApp& app_;
  CStaticLink privacyLink_;
  bool firstShow_ = true;
  bool writing_ = false;  // the page itself is filling its boxes: not the user typing
};

}  // namespace marvella
