// The wizard button sets the pages post to the sheet. The values are the sheet's own
// button flags (Back 1, Next 2, Finish 4, disabled Finish 8), so they go to the platform as
// they are.
#pragma once

namespace marvella {

enum WizardButtons : int {
  kButtonsBack = 1,
  kButtonsNext = 2,
  kButtonsBackNext = 3,
  kButtonsFinish = 4,
  kButtonsBackDisabledFinish = 9,
};

}  // namespace marvella
