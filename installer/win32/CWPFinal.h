// Page 8, final: congratulations and the desktop icon. Its buttons (Finish alone, Cancel
// disabled) and the toolbar library installation that Finish runs are the page flow's.
#pragma once

#include "installer/win32/CWizardPage.h"
#include "installer/win32/WizardResource.h"

namespace marvella {

class CWPFinal : public CWizardPage {
 public:
  CWPFinal() : CWizardPage(kFinalPage, IDD_FINAL) {}
};

}  // namespace marvella
