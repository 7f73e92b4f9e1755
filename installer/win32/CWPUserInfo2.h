// Page 5, interests: mailings, where the user connects from and the topics of interest.
// Until its own rules are built it shows its dialog and answers through the seam the
// wizard gives the flow for it (see WizardSheet).
#pragma once

#include "installer/win32/CWizardPage.h"
#include "installer/win32/WizardResource.h"

namespace marvella {

class CWPUserInfo2 : public CWizardPage {
 public:
  CWPUserInfo2() : CWizardPage(kInterestsPage, IDD_USERINFO2) {}
};

}  // namespace marvella
