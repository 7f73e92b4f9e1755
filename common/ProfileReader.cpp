// The portable profile reader: parses once, answers lookups from views into the text.
#include "common/ProfileReader.h"

#include <cstdio>
#include <cstring>

#include "common/BoundedText.h"
#include "common/TextCase.h"

namespace marvella {
namespace {

// The characters the system trims around lines, names and values (LF ends a line).
bool IsProfileBlank(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\x1a';
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsProfileBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsProfileBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Names end at a zero byte, as they do for the system's C-string comparisons.
std::string_view UpToZero(std::string_view s) {
  size_t zero = s.find('\0');
  return zero == std::string_view::npos ? s : s.substr(0, zero);
}

// One pair of matching quotes around the whole value goes.
std::string_view Unquote(std::string_view v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    return v.substr(1, v.size() - 2);
  return v;
}

size_t CopyValue(std::string_view value, char* buffer, size_t capacity) {
  value = UpToZero(value);
  CopyBounded(buffer, capacity, value.data(), value.size());
  return std::strlen(buffer);
}

}  // namespace

ProfileReader::ProfileReader(std::string text) : text_(std::move(text)) { Parse(); }

ProfileReader ProfileReader::FromFile(const char* path, bool* readable) {
  std::string text;
  std::FILE* f = std::fopen(path, "rb");
  if (readable) *readable = f != nullptr;
  if (f) {
    char chunk[4096];
    size_t n;
    while (text.size() < kMaxFileBytes && (n = std::fread(chunk, 1, sizeof chunk, f)) > 0)
      text.append(chunk, n < kMaxFileBytes - text.size() ? n : kMaxFileBytes - text.size());
    std::fclose(f);
  }
  return ProfileReader(std::move(text));
}

void ProfileReader::Parse() {
  // Lines before the first section belong to an unnamed one that no lookup can reach.
  sections_.push_back(Section{std::string_view(), {}});
  std::string_view rest(text_);
  while (!rest.empty()) {
    size_t end = rest.find_first_of("\r\n");
    std::string_view line = Trim(rest.substr(0, end));
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    if (line.empty()) continue;
    if (line.front() == '[') {
      size_t close = line.rfind(']');
      if (close != std::string_view::npos) {
        sections_.push_back(Section{Trim(line.substr(1, close - 1)), {}});
        continue;
      }
      // Without a closing bracket the line is an ordinary key line.
    }
    size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
      sections_.back().keys.push_back(Key{line, std::string_view(), false});
    } else {
      sections_.back().keys.push_back(
          Key{Trim(line.substr(0, eq)), Trim(line.substr(eq + 1)), true});
    }
  }
}

const ProfileReader::Key* ProfileReader::Find(std::string_view section,
                                              std::string_view key) const {
  for (const Section& s : sections_) {
    std::string_view name = UpToZero(s.name);
    if (name.empty() || !SameTextIgnoringCase(name, section)) continue;
    for (const Key& k : s.keys)
      if (SameTextIgnoringCase(UpToZero(k.name), key)) return &k;
    return nullptr;  // only the first section of a name is searched
  }
  return nullptr;
}

size_t ProfileReader::ReadString(const char* section, const char* key, const char* fallback,
                                 char* buffer, size_t capacity) {
  if (capacity == 0) return 0;
  std::string_view wantedKey = Trim(key ? key : "");
  const Key* found = wantedKey.empty() ? nullptr : Find(Trim(section ? section : ""), wantedKey);
  if (found && found->hasValue) return CopyValue(Unquote(found->value), buffer, capacity);
  std::string_view def(fallback ? fallback : "");
  def = UpToZero(def);
  while (!def.empty() && def.back() == ' ') def.remove_suffix(1);
  return CopyValue(Unquote(def), buffer, capacity);
}

size_t ProfileReader::ReadSectionNames(char* buffer, size_t capacity) {
  if (capacity == 0) return 0;
  if (capacity == 1) {
    buffer[0] = '\0';
    return 0;
  }
  size_t room = capacity - 1;  // the final zero's place is kept aside
  char* out = buffer;
  for (const Section& s : sections_) {
    std::string_view name = UpToZero(s.name);
    if (name.empty()) continue;
    if (name.size() + 1 >= room) {
      // Cut: what is left of this name, its zero and the list's zero.
      std::memcpy(out, name.data(), room - 1);
      out += room - 1;
      *out++ = '\0';
      *out = '\0';
      return capacity - 2;
    }
    std::memcpy(out, name.data(), name.size());
    out += name.size();
    *out++ = '\0';
    room -= name.size() + 1;
  }
  *out = '\0';
  return static_cast<size_t>(out - buffer);
}

}  // namespace marvella
