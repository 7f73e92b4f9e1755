// The simulated sheet's page changes.
#include "tests/unit/wizard/SimulatedSheet.h"

namespace marvella::test {

void SimulatedSheet::MakeCurrent(WizardPage page) {
  current_ = page;
  if (!created_[page]) {
    created_[page] = true;
    ++inits_[page];
    flow_->Init(page);
  }
  activations_.push_back(page);
  flow_->Show(page);
}

void SimulatedSheet::PressNext() {
  if (flow_->Next(current_) == PageMove::kMove && current_ + 1 < kWizardPageCount)
    MakeCurrent(static_cast<WizardPage>(current_ + 1));
  resting_.push_back(current_);
}

void SimulatedSheet::PressBack() {
  if (flow_->Back(current_) == PageMove::kMove && current_ > 0)
    MakeCurrent(static_cast<WizardPage>(current_ - 1));
  resting_.push_back(current_);
}

void SimulatedSheet::PressFinish() {
  if (flow_->Finish(current_)) closed_ = true;
}

}  // namespace marvella::test
