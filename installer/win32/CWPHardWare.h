// Page 2, hardware and access node: adapter, province and city of the access node, prefix,
// connection name and the referring friend.
// Until its own rules are built it shows its dialog and answers through the seam the
// wizard gives the flow for it (see WizardSheet).
#pragma once

#include "installer/win32/CWizardPage.h"
#include "installer/win32/WizardResource.h"

namespace marvella {

class CWPHardWare : public CWizardPage {
 public:
  CWPHardWare() : CWizardPage(kHardwarePage, IDD_HARDWARE) {}
};

}  // namespace marvella
