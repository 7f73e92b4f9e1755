// The decisions of the retry dialogs.
#include "signup/RetryChoices.h"

#include <vector>

#include "common/BoundedText.h"
#include "signup/FieldChecks.h"
#include "signup/ServiceMailDomain.h"
#include "signup/SignupTexts.h"

namespace marvella {

std::string IdentifierTakenText(const std::string& takenIdentifier) {
  static const char kFormat[] = SIGNUP_IDENTIFIER_TAKEN_TEXT;
  std::vector<char> out(sizeof kFormat + takenIdentifier.size());
  FormatBounded(out.data(), out.size(), kFormat, takenIdentifier.c_str());
  return std::string(out.data());
}

bool ConfirmNewIdentifier(const ItemList& suggestions, bool fromSuggestions, int suggestionIndex,
                          const std::string& typed, UserRecord& record, MessageSink& messages,
                          std::string& chosen) {
  std::string choice;
  if (fromSuggestions) {
    // An empty list leaves nothing selected: there is no choice to take.
    if (suggestionIndex < 0 || static_cast<size_t>(suggestionIndex) >= suggestions.size())
      return false;
    choice = suggestions[static_cast<size_t>(suggestionIndex)];
  } else {
    choice = typed;
  }
  if (choice.empty()) {
    // Nothing chosen is a cancel: the user's e-mail must not become a bare "@" + domain.
    chosen.clear();
    return true;
  }
  if (!IsValidIdentifier(choice, messages)) return false;
  record.email = choice + "@" + ServiceMailDomain;
  chosen = choice;
  return true;
}

bool ConfirmNewAlias(const std::string& typed, MessageSink& messages) {
  return IsValidAlias(typed, messages);
}

}  // namespace marvella
