// Page 1, contract: the contract text (resource "OURDATA" 141) and the choice between
// "&Acepto el contrato" (9049) and "&No acepto el contrato" (9050), which start unselected.
#pragma once

#include "installer/WizardSeams.h"
#include "installer/win32/CWizardPage.h"
#include "installer/win32/TextResource.h"
#include "installer/win32/WizardResource.h"

namespace marvella {

class CWPLicense : public CWizardPage, public LicenseView {
 public:
  CWPLicense() : CWizardPage(kLicensePage, IDD_LICENSE) {}

  // LicenseView
  void ShowContract() override {
    ShowTextResource(Resources(), OURDATA_CONTRACT, Item(IDC_CONTRACT_TEXT));
  }
  bool IsAccepted() const override {
    return IsDlgButtonChecked(Window(), IDC_ACCEPT) == BST_CHECKED;
  }

 protected:
  void OnCommand(int controlId, int code) override {
    if (code == BN_CLICKED && (controlId == IDC_ACCEPT || controlId == IDC_DO_NOT_ACCEPT))
      Flow().LicenseChoiceChanged();
  }
};

}  // namespace marvella
