// Which addresses the toolbar hands to the browser. Menu items, search templates, the
// banner's link and the page fields all come from downloaded data; a "javascript:" or
// "file:" address would run in, or read from, whatever page the user is viewing, so only
// web pages (and mail links where a menu may offer one) are opened.
#pragma once

namespace marvella {

enum class LinkUse {
  kPage,        // http:// or https://
  kPageOrMail,  // those, or mailto:
};

// True when address starts with an allowed scheme (letters in any case) and holds no
// control character.
bool MayOpen(const char* address, LinkUse use);

// Empties address unless it may be opened; true when it was kept.
bool KeepIfOpenable(char* address, LinkUse use);

}  // namespace marvella
