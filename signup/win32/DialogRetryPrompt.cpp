// The retry dialogs behind RetryPrompt.
#include "signup/win32/DialogRetryPrompt.h"

#include "signup/win32/NewAliasDialog.h"
#include "signup/win32/NewIdentifierDialog.h"

namespace marvella {

std::string DialogRetryPrompt::AskNewIdentifier(const ItemList& suggestions, UserRecord& record) {
  return NewIdentifierDialog(suggestions, record).Run(owner_);
}

std::string DialogRetryPrompt::AskNewAlias() { return NewAliasDialog().Run(owner_); }

}  // namespace marvella
