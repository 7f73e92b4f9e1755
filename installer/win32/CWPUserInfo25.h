// Page 3, user type: a new user, or an existing one who fetches the stored data.
// Until its own rules are built it shows its dialog and answers through the seam the
// wizard gives the flow for it (see WizardSheet).
#pragma once

#include "installer/win32/CWizardPage.h"
#include "installer/win32/WizardResource.h"

namespace marvella {

class CWPUserInfo25 : public CWizardPage {
 public:
  CWPUserInfo25() : CWizardPage(kUserTypePage, IDD_USERTYPE) {}
};

}  // namespace marvella
