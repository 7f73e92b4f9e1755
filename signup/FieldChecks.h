// The checks that guard identifiers, aliases and field lengths. A failing check shows its
// message (an OK box with the warning icon) through the message sink.
#pragma once

#include <string_view>

#include "common/MessageSink.h"

namespace marvella {

// Lower-case a-z, digits, "_" and "."; no digit first; no "." first, last or twice in a
// row. The empty text passes; the length is not checked (the edit box holds 15).
// Shows string 24 when the rule fails.
bool IsValidIdentifier(std::string_view text, MessageSink& messages);

// True when `text` is too long (more than maxLength characters); then shows string 15
// with the field name and maxLength.
bool CheckMaxLength(std::string_view text, const char* fieldName, int maxLength,
                    MessageSink& messages);

// At most 9 characters (CheckMaxLength with "alias"), each a letter a-z or A-Z, a digit,
// "[", "]", "\", "^" or "`"; a bad character shows string 7 with "alias" and the alias.
bool IsValidAlias(std::string_view alias, MessageSink& messages);

}  // namespace marvella
