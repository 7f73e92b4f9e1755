// What the two retry dialogs decide when the user presses "Aceptar", apart from their
// windows: which identifier or alias is chosen, which rule refuses it.
#pragma once

#include <string>

#include "common/MessageSink.h"
#include "signup/ItemList.h"
#include "signup/UserRecord.h"

namespace marvella {

// The static text of the new-identifier dialog for the identifier that is taken.
std::string IdentifierTakenText(const std::string& takenIdentifier);

// The new-identifier dialog's "Aceptar". With `fromSuggestions` the choice is the suggestion
// at `suggestionIndex` (the index the selected list entry remembers, -1 for none), otherwise
// the typed text. Returns false (the dialog stays open) when there is no selected suggestion
// or when IsValidIdentifier refuses the choice (its message shown). Returns true with
// `chosen` set, and record.email set to the choice, "@" and the ServiceMailDomain; an empty
// choice (typed empty, or an empty suggestion) is a cancel: true, `chosen` empty, the record
// left alone.
bool ConfirmNewIdentifier(const ItemList& suggestions, bool fromSuggestions, int suggestionIndex,
                          const std::string& typed, UserRecord& record, MessageSink& messages,
                          std::string& chosen);

// The new-alias dialog's "Aceptar": true when IsValidAlias accepts `typed`.
bool ConfirmNewAlias(const std::string& typed, MessageSink& messages);

}  // namespace marvella
