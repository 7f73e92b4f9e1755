// Filtering the lists of deletions that wait for a restart.
#include "installer/PendingDeletion.h"

#include <cstring>
#include <string_view>

#include "common/TextCase.h"

namespace marvella {
namespace {

// The texts from `at`, cut to the list's end when one lacks its zero.
std::size_t TextLength(const char* at, const char* end) {
  const void* zero = std::memchr(at, '\0', end - at);
  return zero ? static_cast<const char*>(zero) - at : end - at;
}

bool Names(std::string_view text, std::string_view prefix, const char* path) {
  return text.size() == prefix.size() + std::strlen(path) &&
         SameTextIgnoringCase(text.substr(0, prefix.size()), prefix) &&
         SameTextIgnoringCase(text.substr(prefix.size()), path);
}

// Copies the texts of [from, end) to `to` in groups of `group`, except the groups `drop`
// refuses; returns the bytes kept.
template <typename Drop>
std::size_t Filter(char* list, std::size_t length, std::size_t group, Drop drop) {
  const char* end = list + length;
  char* to = list;
  for (const char* at = list; at < end;) {
    std::string_view texts[2];
    const char* next = at;
    for (std::size_t i = 0; i < group && next < end; ++i) {
      texts[i] = std::string_view(next, TextLength(next, end));
      next += texts[i].size() + 1;
    }
    if (next > end) next = end;
    if (!drop(texts)) {
      std::memmove(to, at, next - at);
      to += next - at;
    }
    at = next;
  }
  return to - list;
}

}  // namespace

std::size_t DropWininitDeletion(char* list, std::size_t length, const char* path) {
  return Filter(list, length, 1,
                [&](const std::string_view* line) { return Names(line[0], "NUL=", path); });
}

std::size_t DropPendingDeletion(char* list, std::size_t length, const char* path) {
  return Filter(list, length, 2, [&](const std::string_view* pair) {
    return pair[1].empty() && Names(pair[0], "\\??\\", path);
  });
}

}  // namespace marvella
