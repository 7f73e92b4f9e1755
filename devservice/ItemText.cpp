// Item lists and identifier rules of the user-server protocol.
#include "devservice/ItemText.h"

namespace devservice {

std::vector<Item> ParseItems(std::string_view text) {
  std::vector<Item> items;
  if (text.find(';') == std::string_view::npos) return items;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(';', start);
    std::string_view item =
        text.substr(start, end == std::string_view::npos ? text.size() - start : end - start);
    std::size_t eq = item.find('=');
    if (eq != std::string_view::npos && eq > 0) {
      items.emplace_back(std::string(item.substr(0, eq)), std::string(item.substr(eq + 1)));
    }
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return items;
}

const std::string* FindItem(const std::vector<Item>& items, std::string_view key) {
  const std::string* found = nullptr;
  for (const Item& item : items) {
    if (item.first == key) found = &item.second;
  }
  return found;
}

std::string CleanValue(std::string_view value) {
  std::string clean(value);
  for (char& c : clean) {
    if (c == ';' || c == '\r' || c == '\n') c = ' ';
  }
  return clean;
}

void AppendItem(std::string& list, std::string_view key, std::string_view value) {
  list.append(key);
  list.push_back('=');
  list.append(CleanValue(value));
  list.push_back(';');
}

bool IsValidIdentifier(std::string_view id) {
  if (id.empty() || id.size() > 15) return false;
  if (id.front() == '.' || id.back() == '.') return false;
  if (id.front() >= '0' && id.front() <= '9') return false;
  char previous = 0;
  for (char c : id) {
    bool ok = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '.';
    if (!ok) return false;
    if (c == '.' && previous == '.') return false;
    previous = c;
  }
  return true;
}

bool IsValidAlias(std::string_view alias) {
  if (alias.empty() || alias.size() > 9) return false;
  for (char c : alias) {
    bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
              c == '[' || c == ']' || c == '\\' || c == '^' || c == '`';
    if (!ok) return false;
  }
  return true;
}

namespace {

// Base + number within maxLength: the base is shortened to make room for the digits, and
// a shortened base never ends in "." (the identifier rule forbids it).
std::vector<std::string> Candidates(std::string_view taken, int count, int firstNumber,
                                    std::size_t maxLength) {
  std::vector<std::string> result;
  for (int n = firstNumber; static_cast<int>(result.size()) < count && n < firstNumber + 100000;
       ++n) {
    std::string digits = std::to_string(n);
    if (digits.size() >= maxLength) break;
    std::string base(taken.substr(0, maxLength - digits.size()));
    while (!base.empty() && base.back() == '.') base.pop_back();
    if (base.empty()) base = "u";
    result.push_back(base + digits);
  }
  return result;
}

}  // namespace

std::vector<std::string> IdentifierCandidates(std::string_view taken, int count, int firstNumber) {
  std::vector<std::string> result;
  for (std::string& c : Candidates(taken, count, firstNumber, 15)) {
    if (IsValidIdentifier(c)) result.push_back(std::move(c));
  }
  return result;
}

std::vector<std::string> AliasCandidates(std::string_view taken, int count, int firstNumber) {
  std::vector<std::string> result;
  for (std::string& c : Candidates(taken, count, firstNumber, 9)) {
    if (IsValidAlias(c)) result.push_back(std::move(c));
  }
  return result;
}

}  // namespace devservice
