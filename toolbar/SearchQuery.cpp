// Escaping the search text and formatting an engine's template with it.
#include "toolbar/SearchQuery.h"

#include <cstring>

namespace marvella {

namespace {

// "+" too: engines that decode their query as a form read it as a space.
const char kSpecial[] = " <>\"#%{}|\\^~[]`;/?:@=&+";
const char kHex[] = "0123456789ABCDEF";

// Appends the escaped query unit by unit (a character or a %XX), stopping before a unit
// that does not fit. used counts the bytes written; returns false on a cut.
bool AppendUnits(const char* escaped, char* out, std::size_t capacity, std::size_t& used) {
  for (const char* p = escaped; *p;) {
    std::size_t unit = (p[0] == '%' && p[1] && p[2]) ? 3 : 1;
    if (used + unit >= capacity) return false;
    std::memcpy(out + used, p, unit);
    used += unit;
    p += unit;
  }
  return true;
}

}  // namespace

bool NeedsEscape(unsigned char byte) {
  return byte >= 128 || byte < 32 || byte == 127 || std::strchr(kSpecial, byte) != nullptr;
}

bool EscapeQuery(const char* text, char* out, std::size_t capacity) {
  if (capacity == 0) return !text || !*text;
  std::size_t used = 0;
  bool whole = true;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); p && *p; ++p) {
    std::size_t unit = NeedsEscape(*p) ? 3 : 1;
    if (used + unit >= capacity) {
      whole = false;
      break;
    }
    if (unit == 1) {
      out[used++] = static_cast<char>(*p);
    } else {
      out[used++] = '%';
      out[used++] = kHex[*p >> 4];
      out[used++] = kHex[*p & 15];
    }
  }
  out[used] = '\0';
  return whole;
}

bool FormatSearchUrl(const char* templ, const char* escaped, char* out, std::size_t capacity) {
  if (capacity == 0) return false;
  std::size_t used = 0;
  int queries = 0;
  bool whole = true;
  for (const char* p = templ ? templ : ""; *p && whole;) {
    if (p[0] == '%' && p[1] == 's' && queries < 2) {
      ++queries;
      whole = AppendUnits(escaped ? escaped : "", out, capacity, used);
      p += 2;
      continue;
    }
    if (used + 1 >= capacity) {
      whole = false;
      break;
    }
    out[used++] = *p;
    p += (p[0] == '%' && p[1] == '%') ? 2 : 1;
  }
  out[used] = '\0';
  return whole;
}

}  // namespace marvella
