// JPEGtoBMP on mutated JPEG files (under AddressSanitizer in the fuzz tree). Fatal decoder
// errors must come back as result 1, never end the process.
#include "toolbar/JPEGtoBMP.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string input = "/tmp/marvella-fuzz-" + std::to_string(getpid()) + ".jpg";
  std::FILE* f = std::fopen(input.c_str(), "wb");
  if (!f) return 0;
  std::fwrite(data, 1, size, f);
  std::fclose(f);
  int result = JPEGtoBMP(input.c_str(), "/dev/null");
  if (result < 0 || result > 2) __builtin_trap();
  return 0;
}
