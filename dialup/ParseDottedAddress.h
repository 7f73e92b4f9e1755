// Name-server addresses from install.ini and the account record arrive as dotted texts.
#pragma once

#include "dialup/RasTypes.h"

namespace marvella {

// Fills address from text, one "."-separated piece per byte a, b, c, d in turn. Each piece
// counts by its leading decimal number (leading blanks and a sign allowed, no digits = 0),
// and only its low 8 bits are kept, so "300" gives 44. Bytes without a piece stay 0;
// pieces after the fourth are dropped. Never fails.
void ParseDottedAddress(const char* text, RASIPADDR& address);

}  // namespace marvella
