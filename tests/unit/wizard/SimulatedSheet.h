// A wizard sheet without windows for the flow tests. It follows the sheet's rules: a page is
// created on first use (Init once) and activated every time it becomes current (Show); a
// Next or Back that answers "move" moves one page from whichever page is current after the
// handler ran; posted button sets take effect in order, so the last one wins.
#pragma once

#include <vector>

#include "installer/WizardFlow.h"

namespace marvella::test {

class SimulatedSheet : public WizardFrame {
 public:
  void Attach(WizardFlow& flow) { flow_ = &flow; }

  // Opens the wizard on the welcome page.
  void Start() { MakeCurrent(kWelcomePage); }
  void PressNext();
  void PressBack();
  void PressFinish();

  int current() const { return current_; }
  int buttons() const { return posted_.empty() ? 0 : posted_.back(); }
  bool cancelEnabled() const { return cancelEnabled_; }
  bool closed() const { return closed_; }
  int initCount(int page) const { return inits_[page]; }
  // Every page made current, in order (pages passed through included).
  const std::vector<int>& activations() const { return activations_; }
  // The pages the user was left on after each press.
  const std::vector<int>& restingPages() const { return resting_; }
  const std::vector<int>& postedButtons() const { return posted_; }

  // WizardFrame
  void PostButtons(WizardButtons buttons) override { posted_.push_back(buttons); }
  void MakeCurrent(WizardPage page) override;
  void EnableCancel(bool enabled) override { cancelEnabled_ = enabled; }

 private:
  WizardFlow* flow_ = nullptr;
  int current_ = -1;
  bool created_[kWizardPageCount] = {};
  int inits_[kWizardPageCount] = {};
  std::vector<int> activations_;
  std::vector<int> resting_;
  std::vector<int> posted_;
  bool cancelEnabled_ = true;
  bool closed_ = false;
};

}  // namespace marvella::test
