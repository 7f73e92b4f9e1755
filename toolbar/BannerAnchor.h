// The banner anchor of the configuration page: <A HREF="link"> ... <IMG SRC="image"
// ALT="text"> ... </A>. The banner feed keeps the last values parsed; a value found before
// a later step fails stays stored, as the feed relies on.
#pragma once

#include <cstddef>

namespace marvella {

constexpr std::size_t kBannerTextCapacity = 260;

struct BannerAnchor {
  char link[kBannerTextCapacity] = "";
  char image[kBannerTextCapacity] = "";
  char alt[kBannerTextCapacity] = "";
};

// Parses page bytes (read up to the first zero byte or the end) into anchor, field by field
// in this order: HREF of the first "<A " tag (emptied and failing unless a web page), a "</A>"
// somewhere after it, the first "<IMG " after it with its SRC and ALT (empty when absent). Stops at
// the first step that fails; true when every step succeeded.
bool ParseBannerAnchor(const char* bytes, std::size_t size, BannerAnchor* anchor);

// The attribute rule for a tag [tagStart, tagEnd) where tagEnd is its ">": the first
// occurrence of name after tagStart begins before tagEnd, is followed at once by ="
// and its value ends at the next " before tagEnd. A value of more than 259 characters
// counts as not found. On success copies the value into destination (260 bytes).
bool ReadTagAttribute(const char* tagStart, const char* tagEnd, const char* name,
                      char (&destination)[kBannerTextCapacity]);

}  // namespace marvella
