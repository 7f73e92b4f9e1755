// Page 7, results: "&Crear cuenta" signs the user up; the account data are shown.
// Until its own rules are built it shows its dialog and answers through the seam the
// wizard gives the flow for it (see WizardSheet).
#pragma once

#include "installer/win32/CWizardPage.h"
#include "installer/win32/WizardResource.h"

namespace marvella {

class CWPResults : public CWizardPage {
 public:
  CWPResults() : CWizardPage(kResultsPage, IDD_RESULTS) {}

 protected:
  void OnCommand(int controlId, int code) override {
    if (controlId == IDC_RS_CREATE && code == BN_CLICKED) Flow().CreateAccount();
  }
};

}  // namespace marvella
