// The answers of a page whose own rules are not built yet: it shows its dialog, takes its
// place in the flow and lets the user through. It checks nothing and claims nothing: a new
// user, a machine that can dial, no final actions, no line to drop.
#pragma once

#include "installer/WizardSeams.h"

namespace marvella {

class PassThroughPage final : public HardwarePageSeam,
                              public UserTypePageSeam,
                              public ResultsPageSeam {
 public:
  void Init() override {}
  void Show() override {}
  bool ValidateNext() override { return true; }
  void LeaveForward() override {}
  bool CanGoOn() const override { return true; }
  bool IsNewUser() const override { return true; }
  void StartFinalActions() override {}
};

}  // namespace marvella
