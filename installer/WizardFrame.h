// What a page may ask of the wizard sheet around it. The Win32 sheet does it with its own
// messages; the flow tests use a simulated sheet that follows the same rules.
#pragma once

#include "installer/WizardButtons.h"

namespace marvella {

// The nine pages, always present, always in this order.
enum WizardPage : int {
  kWelcomePage = 0,
  kLicensePage,
  kHardwarePage,
  kUserTypePage,
  kPersonalDataPage,
  kInterestsPage,
  kOptionalDataPage,
  kResultsPage,
  kFinalPage,
  kWizardPageCount
};

class WizardFrame {
 public:
  virtual ~WizardFrame() = default;

  // Posts a button set to the sheet. Posted, not sent: when several are posted during one
  // step, the last one wins.
  virtual void PostButtons(WizardButtons buttons) = 0;

  // Makes `page` the current page now. Its window is created on first use (its Init runs
  // once), then it is activated (its Show runs). When the Next or Back handler that asked
  // for this then answers "move", the move continues from `page`.
  virtual void MakeCurrent(WizardPage page) = 0;

  // Enables or disables the sheet's Cancel button.
  virtual void EnableCancel(bool enabled) = 0;
};

}  // namespace marvella
