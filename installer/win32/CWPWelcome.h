// Page 0, welcome: the banner, the notes and the question whether the machine is already
// on line (radios 1069 and 1070).
#pragma once

#include "installer/WizardSeams.h"
#include "installer/win32/CWizardPage.h"
#include "installer/win32/WizardResource.h"

namespace marvella {

class CWPWelcome : public CWizardPage, public WelcomeView {
 public:
  CWPWelcome() : CWizardPage(kWelcomePage, IDD_WELCOME) {}

  // WelcomeView
  void SelectConnectionChoice(bool notConnected) override {
    CheckRadioButton(Window(), IDC_CONNECTED_NOW, IDC_NOT_CONNECTED,
                     notConnected ? IDC_NOT_CONNECTED : IDC_CONNECTED_NOW);
  }
  bool IsNotConnectedSelected() const override {
    return IsDlgButtonChecked(Window(), IDC_NOT_CONNECTED) == BST_CHECKED;
  }
};

}  // namespace marvella
