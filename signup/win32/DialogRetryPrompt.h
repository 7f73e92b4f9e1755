// RetryPrompt as the two modal retry dialogs, owned by the wizard window.
#pragma once

#include <windows.h>

#include "signup/RetryPrompt.h"

namespace marvella {

class DialogRetryPrompt final : public RetryPrompt {
 public:
  explicit DialogRetryPrompt(HWND owner) : owner_(owner) {}

  std::string AskNewIdentifier(const ItemList& suggestions, UserRecord& record) override;
  std::string AskNewAlias() override;

 private:
  HWND owner_;
};

}  // namespace marvella
