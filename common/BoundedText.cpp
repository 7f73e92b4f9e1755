// Bounded copies: the one place where texts enter fixed buffers.
#include "common/BoundedText.h"

#include <cstdio>
#include <cstring>

namespace marvella {

bool CopyBounded(char* dst, std::size_t capacity, const char* src, std::size_t srcLength) {
  if (capacity == 0) return srcLength == 0;
  std::size_t n = srcLength < capacity - 1 ? srcLength : capacity - 1;
  if (n) std::memcpy(dst, src, n);
  dst[n] = '\0';
  return n == srcLength;
}

bool CopyBounded(char* dst, std::size_t capacity, const char* src) {
  if (capacity == 0) return src[0] == '\0';
  // Never look further into src than the buffer could hold: a longer text is cut anyway.
  const void* end = std::memchr(src, '\0', capacity);
  std::size_t len = end ? static_cast<const char*>(end) - src : capacity;
  return CopyBounded(dst, capacity, src, len);
}

bool AppendBounded(char* dst, std::size_t capacity, const char* src) {
  const void* end = std::memchr(dst, '\0', capacity);
  if (!end) return false;
  std::size_t used = static_cast<const char*>(end) - dst;
  return CopyBounded(dst + used, capacity - used, src);
}

bool FormatBoundedArgs(char* dst, std::size_t capacity, const char* format, std::va_list args) {
  if (capacity == 0) return false;
#ifdef _WIN32
  // msvcrt's: -1 when cut, and no terminator when the text fills the buffer exactly.
  int written = _vsnprintf(dst, capacity, format, args);
#else
  int written = std::vsnprintf(dst, capacity, format, args);
#endif
  dst[capacity - 1] = '\0';
  return written >= 0 && static_cast<std::size_t>(written) < capacity;
}

bool FormatBounded(char* dst, std::size_t capacity, const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  bool whole = FormatBoundedArgs(dst, capacity, format, args);
  va_end(args);
  return whole;
}

}  // namespace marvella
