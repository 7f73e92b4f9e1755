// Dotted-quad reading with the forgiving rules of the C runtime's number conversion.
#include "dialup/ParseDottedAddress.h"

#include <cstdint>

namespace marvella {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The low 8 bits of the piece's leading number. Working modulo 256 keeps any run of digits,
// however long, from overflowing. Returns where the piece ends (its "." or the text's end).
const char* ReadPiece(const char* p, std::uint8_t& value) {
  while (IsBlank(*p)) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  unsigned low = 0;
  while (*p >= '0' && *p <= '9') low = (low * 10 + unsigned(*p++ - '0')) & 0xFF;
  value = static_cast<std::uint8_t>(negative ? (256 - low) & 0xFF : low);
  while (*p && *p != '.') ++p;
  return p;
}

}  // namespace

void ParseDottedAddress(const char* text, RASIPADDR& address) {
  address = RASIPADDR{0, 0, 0, 0};
  if (!text) return;
  std::uint8_t* bytes[4] = {&address.a, &address.b, &address.c, &address.d};
  const char* p = text;
  for (int piece = 0;; ++piece) {
    std::uint8_t value = 0;
    p = ReadPiece(p, value);
    if (piece < 4) *bytes[piece] = value;
    if (*p != '.') break;
    ++p;
  }
}

}  // namespace marvella
