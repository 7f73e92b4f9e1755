// Bounded, whole reads of response bodies.
#include "toolbar/HttpBody.h"

#include "toolbar/PageText.h"

#include <cstdlib>
#include <cstring>

namespace marvella {

bool ExpectedBodySize(bool hasLengthHeader, const char* lengthText, std::size_t* size) {
  if (!hasLengthHeader) {
    *size = kBodyWithoutLength;
    return true;
  }
  int declared = LeadingNumber(lengthText, lengthText + std::strlen(lengthText));
  if (declared <= 0 || static_cast<std::size_t>(declared) > kLargestBody) return false;
  *size = static_cast<std::size_t>(declared);
  return true;
}

bool ReadBody(BodySource& source, std::size_t expected, bool exact, char** bytes,
              std::size_t* size) {
  *bytes = nullptr;
  *size = 0;
  char* buffer = static_cast<char*>(std::calloc(expected ? expected : 1, 1));
  if (!buffer) return false;
  std::size_t total = 0;
  while (total < expected) {
    std::size_t got = 0;
    if (!source.Read(buffer + total, expected - total, &got) || got > expected - total) {
      std::free(buffer);
      return false;
    }
    if (got == 0) break;
    total += got;
  }
  if (exact && total < expected) {
    std::free(buffer);
    return false;
  }
  *bytes = buffer;
  *size = total;
  return true;
}

}  // namespace marvella
