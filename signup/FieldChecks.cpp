// Field checks of identifiers and aliases.
#include "signup/FieldChecks.h"

#include <string>

#include "signup/SignupTexts.h"

namespace marvella {
namespace {

bool IsLower(char c) { return c >= 'a' && c <= 'z'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IdentifierFollowsRule(std::string_view text) {
  if (text.empty()) return true;
  if (IsDigit(text.front()) || text.front() == '.' || text.back() == '.') return false;
  char previous = '\0';
  for (char c : text) {
    if (!(IsLower(c) || IsDigit(c) || c == '_' || c == '.')) return false;
    if (c == '.' && previous == '.') return false;
    previous = c;
  }
  return true;
}

bool IsAliasCharacter(char c) {
  return IsLower(c) || (c >= 'A' && c <= 'Z') || IsDigit(c) || c == '[' || c == ']' || c == '\\' ||
         c == '^' || c == '`';
}

}  // namespace

bool IsValidIdentifier(std::string_view text, MessageSink& messages) {
  if (IdentifierFollowsRule(text)) return true;
  messages.ShowMessage(IDS_IDENTIFIER_RULE, IDS_IDENTIFIER_RULE_TEXT, MessageStyle{});
  return false;
}

bool CheckMaxLength(std::string_view text, const char* fieldName, int maxLength,
                    MessageSink& messages) {
  if (maxLength >= 0 && text.size() <= static_cast<size_t>(maxLength)) return false;
  ShowString(messages, IDS_FIELD_TOO_LONG, MessageStyle{}, IDS_FIELD_TOO_LONG_TEXT, fieldName,
             maxLength);
  return true;
}

bool IsValidAlias(std::string_view alias, MessageSink& messages) {
  if (CheckMaxLength(alias, "alias", 9, messages)) return false;
  for (char c : alias) {
    if (!IsAliasCharacter(c)) {
      std::string text(alias);
      ShowString(messages, IDS_BAD_CHARACTERS, MessageStyle{}, IDS_BAD_CHARACTERS_TEXT, "alias",
                 text.c_str());
      return false;
    }
  }
  return true;
}

}  // namespace marvella
