// The banner anchor parse over arbitrary page bytes.
#include "toolbar/BannerAnchor.h"

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::unique_ptr<char[]> page(new char[size ? size : 1]);
  std::memcpy(page.get(), data, size);
  marvella::BannerAnchor anchor;
  bool parsed = marvella::ParseBannerAnchor(page.get(), size, &anchor);
  // Whatever was stored is a terminated text inside its buffer, copied from the page.
  std::string bytes(reinterpret_cast<const char*>(data), size);
  for (const char* text : {anchor.link, anchor.image, anchor.alt}) {
    if (!std::memchr(text, '\0', marvella::kBannerTextCapacity)) __builtin_trap();
    if (bytes.find(text) == std::string::npos) __builtin_trap();
  }
  if (parsed && bytes.find("<IMG ") == std::string::npos) __builtin_trap();
  return 0;
}
