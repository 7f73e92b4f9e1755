// A page for the sheet walks, whose subject is the sheet, not the page: it shows its
// dialog, takes its place in the flow and lets the user through. It checks nothing and does nothing: a new
// user, a machine that can dial, no line to drop, no final actions; "&Crear cuenta" signs
// nobody up and only lets the user on to the final page.
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
  void CreateAccount(WizardFrame& frame) override {
    frame.PostButtons(kButtonsNext);
    frame.EnableCancel(false);
  }
  void StartFinalActions() override {}
};

}  // namespace marvella
