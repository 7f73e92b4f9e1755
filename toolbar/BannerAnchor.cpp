// The banner anchor of the configuration page.
#include "toolbar/BannerAnchor.h"

#include "common/BoundedText.h"
#include "toolbar/LinkRules.h"
#include "toolbar/PageText.h"

#include <cstring>

namespace marvella {

bool ReadTagAttribute(const char* tagStart, const char* tagEnd, const char* name,
                      char (&destination)[kBannerTextCapacity]) {
  std::size_t nameLength = std::strlen(name);
  const char* at = FindText(tagStart, tagEnd, name, nameLength);
  if (!at) return false;
  const char* open = at + nameLength;
  if (tagEnd - open < 2 || open[0] != '=' || open[1] != '"') return false;
  const char* first = open + 2;
  const char* close = FindChar(first, tagEnd, '"');
  if (!close) return false;
  std::size_t length = static_cast<std::size_t>(close - first);
  if (length > kBannerTextCapacity - 1) return false;
  return CopyBounded(destination, sizeof destination, first, length);
}

bool ParseBannerAnchor(const char* bytes, std::size_t size, BannerAnchor* anchor) {
  const char* end = bytes + PageTextLength(bytes, size);
  const char* a = FindText(bytes, end, "<A ", 3);
  if (!a) return false;
  const char* aEnd = FindChar(a, end, '>');
  if (!aEnd) return false;
  // A link the banner would not open is no link: the anchor fails, its image is not fetched.
  if (!ReadTagAttribute(a, aEnd, "HREF", anchor->link) ||
      !KeepIfOpenable(anchor->link, LinkUse::kPage))
    return false;
  if (!FindText(a + 3, end, "</A>", 4)) return false;
  const char* img = FindText(a + 3, end, "<IMG ", 5);
  if (!img) return false;
  const char* imgEnd = FindChar(img, end, '>');
  if (!imgEnd) return false;
  if (!ReadTagAttribute(img, imgEnd, "SRC", anchor->image)) return false;
  if (!ReadTagAttribute(img, imgEnd, "ALT", anchor->alt)) anchor->alt[0] = '\0';
  return true;
}

}  // namespace marvella
