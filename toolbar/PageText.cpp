// Bounded searches over fetched page bytes.
#include "toolbar/PageText.h"

#include <climits>
#include <cstring>

namespace marvella {

std::size_t PageTextLength(const char* bytes, std::size_t size) {
  if (!bytes || size == 0) return 0;
  const void* zero = std::memchr(bytes, '\0', size);
  return zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - bytes) : size;
}

const char* FindText(const char* begin, const char* end, const char* needle,
                     std::size_t needleLength) {
  if (!begin || end < begin) return nullptr;
  if (needleLength == 0) return begin;
  std::size_t remaining = static_cast<std::size_t>(end - begin);
  while (remaining >= needleLength) {
    const char* hit =
        static_cast<const char*>(std::memchr(begin, needle[0], remaining - needleLength + 1));
    if (!hit) return nullptr;
    if (std::memcmp(hit, needle, needleLength) == 0) return hit;
    remaining -= static_cast<std::size_t>(hit + 1 - begin);
    begin = hit + 1;
  }
  return nullptr;
}

const char* FindText(const char* begin, const char* end, const char* needle) {
  return FindText(begin, end, needle, std::strlen(needle));
}

const char* FindChar(const char* begin, const char* end, char c) {
  if (!begin || end <= begin) return nullptr;
  return static_cast<const char*>(std::memchr(begin, c, static_cast<std::size_t>(end - begin)));
}

int LeadingNumber(const char* begin, const char* end) {
  const char* p = begin;
  while (p < end &&
         (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\v' || *p == '\f' || *p == '\r'))
    ++p;
  bool negative = false;
  if (p < end && (*p == '+' || *p == '-')) {
    negative = *p == '-';
    ++p;
  }
  long long value = 0;
  for (; p < end && *p >= '0' && *p <= '9'; ++p) {
    value = value * 10 + (*p - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) return static_cast<int>(-value);
  return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

}  // namespace marvella
