// How RegisterNewUser asks the user for another identifier or alias when the server reports
// the chosen one as taken: the two modal dialogs on Windows, a script in tests.
#pragma once

#include <string>

#include "signup/ItemList.h"
#include "signup/UserRecord.h"

namespace marvella {

class RetryPrompt {
 public:
  virtual ~RetryPrompt() = default;

  // Offers `suggestions` (the identifier in record.userid is taken). Returns the chosen
  // identifier, which has passed IsValidIdentifier, having set record.email to it, "@" and
  // the ServiceMailDomain; returns an empty text when the user cancels (an empty choice
  // ends the conversation the same way).
  virtual std::string AskNewIdentifier(const ItemList& suggestions, UserRecord& record) = 0;

  // Asks for another alias; returns it (it has passed IsValidAlias), or an empty text when
  // the user cancels.
  virtual std::string AskNewAlias() = 0;
};

}  // namespace marvella
