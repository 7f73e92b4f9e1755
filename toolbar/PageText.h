// Bounded searches over fetched page bytes. A page is outside input: it may be any size,
// hold zero bytes, or lack a terminating zero (it is a mapped file), so every search takes
// an explicit end and never looks past it.
#pragma once

#include <cstddef>

namespace marvella {

// The part of a page that its searches read: up to the first zero byte or the end.
std::size_t PageTextLength(const char* bytes, std::size_t size);

// First occurrence of needle (needleLength bytes) in [begin, end), or null.
const char* FindText(const char* begin, const char* end, const char* needle,
                     std::size_t needleLength);

// Same for a zero-terminated needle.
const char* FindText(const char* begin, const char* end, const char* needle);

// First occurrence of c in [begin, end), or null.
const char* FindChar(const char* begin, const char* end, char c);

// The decimal number at the start of [begin, end), read as the C library's atoi reads it:
// leading blanks, an optional sign, then digits; no digits gives 0. Values beyond the range
// of int are held at its limits instead of wrapping.
int LeadingNumber(const char* begin, const char* end);

}  // namespace marvella
