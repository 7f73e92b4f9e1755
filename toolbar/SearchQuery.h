// The search box's text on its way into an address: escaped byte by byte, then put into an
// engine's template where it says "%s" (once or twice).
#pragma once

#include <cstddef>

namespace marvella {

constexpr std::size_t kSearchTextCapacity = 1024;    // what is read from the box
constexpr std::size_t kEscapedQueryCapacity = 260;   // 259 characters
constexpr std::size_t kSearchUrlCapacity = 1024;     // 1023 characters

// True for the bytes that travel as %XX: the top-bit ones, controls, 127 and the 22
// characters that mean something in an address or in a form's query ("+" is a space).
bool NeedsEscape(unsigned char byte);

// Escapes text into out (capacity bytes with its zero). A text whose escaped form does
// not fit is cut before the first character that no longer fits whole, never inside a
// %XX. Returns true when all of it fitted.
bool EscapeQuery(const char* text, char* out, std::size_t capacity);

// Formats templ with the escaped query as its first and second text argument: the first
// two "%s" take the query, "%%" is a percent sign, and anything else (a third "%s",
// other directives, a bare "%") is copied as it stands, so that no template from the
// bookmarks file can ask for arguments that are not there. A result that does not fit is
// cut at a whole character of the template or a whole %XX of the query. Returns true when
// all of it fitted.
bool FormatSearchUrl(const char* templ, const char* escaped, char* out, std::size_t capacity);

}  // namespace marvella
