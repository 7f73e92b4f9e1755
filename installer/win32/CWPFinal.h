// Page 8, final: congratulations and the desktop icon; Finish installs the toolbar library.
// Until its own rules are built it shows its dialog and answers through the seam the
// wizard gives the flow for it (see WizardSheet).
#pragma once

#include "installer/win32/CWizardPage.h"
#include "installer/win32/WizardResource.h"

namespace marvella {

class CWPFinal : public CWizardPage {
 public:
  CWPFinal() : CWizardPage(kFinalPage, IDD_FINAL) {}
};

}  // namespace marvella
