// The banner images, built into the program from devservice/banners/ (see CMakeLists.txt).
#pragma once

#include <cstddef>

namespace devservice {

struct EmbeddedFile {
  const char* name;
  const unsigned char* data;
  std::size_t size;
};

extern const EmbeddedFile kBannerFiles[];
extern const std::size_t kBannerFileCount;

}  // namespace devservice
