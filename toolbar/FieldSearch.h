// Values of the hidden form fields that the service's pages carry for the toolbar
// ("PAGPERS", "TOKENS", "WEBMAIL"), read from page bytes such as a mapped file.
// A field is the tag opening <INPUT TYPE=HIDDEN NAME="name" followed, inside the same tag,
// by VALUE="...". All searches are case-sensitive; the page is read up to its first zero
// byte or its end, whichever comes first.
#pragma once

#include <cstddef>

namespace marvella {

// Finds the value of field `name` in page bytes [bytes, bytes + size). On success points
// *value at its first character (inside the page, not terminated) and sets *valueLength.
bool FindHiddenField(const char* bytes, std::size_t size, const char* name, const char** value,
                     std::size_t* valueLength);

// Longest field text kept: a longer value counts as not found.
constexpr std::size_t kHiddenTextCapacity = 260;

// Copies the value of field `name` into destination (capacity bytes, normally 260) with a
// terminating zero. A value that does not fit counts as not found; destination is then left
// as it was.
bool ReadHiddenText(const char* bytes, std::size_t size, const char* name, char* destination,
                    std::size_t capacity);

// The number at the start of field `name` (leading blanks and a sign accepted; a value
// without digits gives 0), or -1 when the field is not found.
int ReadHiddenNumber(const char* bytes, std::size_t size, const char* name);

}  // namespace marvella
