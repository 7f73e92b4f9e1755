// Which addresses the toolbar opens.
#include "toolbar/LinkRules.h"

#include <cstring>

namespace marvella {

namespace {

bool StartsWithFolded(const char* text, const char* prefix) {
  for (; *prefix; ++text, ++prefix) {
    char c = *text;
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != *prefix) return false;
  }
  return true;
}

}  // namespace

bool MayOpen(const char* address, LinkUse use) {
  if (!address) return false;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(address); *p; ++p)
    if (*p < 32 || *p == 127) return false;
  return StartsWithFolded(address, "http://") || StartsWithFolded(address, "https://") ||
         (use == LinkUse::kPageOrMail && StartsWithFolded(address, "mailto:"));
}

bool KeepIfOpenable(char* address, LinkUse use) {
  if (MayOpen(address, use)) return true;
  if (address) address[0] = '\0';
  return false;
}

}  // namespace marvella
