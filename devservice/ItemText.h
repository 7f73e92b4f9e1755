// Item lists of the user-server protocol ("key=value;key=value;") and the checks the service
// applies to the identifiers and aliases it is asked to register.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace devservice {

using Item = std::pair<std::string, std::string>;

// Splits a list the way the kit does: items end at ";", and a text without any ";" is no
// list at all (it yields nothing). Items without "=" or with an empty key are dropped;
// the value is everything after the first "=".
std::vector<Item> ParseItems(std::string_view text);

// Value of the last item with exactly this key (keys are case-sensitive), or nullptr.
const std::string* FindItem(const std::vector<Item>& items, std::string_view key);

// A value as the service stores and sends it: ";" would split the kit's lists and CR/LF
// would end a reply line, so they become blanks; other bytes (CP1252) pass unchanged.
std::string CleanValue(std::string_view value);

// Appends "key=value;" with a cleaned value.
void AppendItem(std::string& list, std::string_view key, std::string_view value);

// The installer's identifier rule: a-z, 0-9, "_" and "."; not starting with a digit; no
// leading, trailing or doubled "."; at most 15 characters. Empty is invalid here.
bool IsValidIdentifier(std::string_view id);

// The alias rule: 1 to 9 of a-z, A-Z, 0-9, "[", "]", "\", "^" and "`".
bool IsValidAlias(std::string_view alias);

// Candidate identifiers derived from a taken one ("juan" -> "juan1", "juan2", ...), each
// valid and at most 15 characters; the caller keeps the free ones.
std::vector<std::string> IdentifierCandidates(std::string_view taken, int count, int firstNumber);

// Same for aliases (at most 9 characters).
std::vector<std::string> AliasCandidates(std::string_view taken, int count, int firstNumber);

}  // namespace devservice
