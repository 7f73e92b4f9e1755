// Page 6, optional data (new users only): stock, football club, zodiac sign and weather.
// Until its own rules are built it shows its dialog and answers through the seam the
// wizard gives the flow for it (see WizardSheet).
#pragma once

#include "installer/win32/CWizardPage.h"
#include "installer/win32/WizardResource.h"

namespace marvella {

class CWPUserInfo3 : public CWizardPage {
 public:
  CWPUserInfo3() : CWizardPage(kOptionalDataPage, IDD_USERINFO3) {}
};

}  // namespace marvella
