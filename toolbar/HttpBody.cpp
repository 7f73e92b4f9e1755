// Bounded, whole reads of response bodies.
#include "toolbar/HttpBody.h"

#include "toolbar/PageText.h"

#include <cstdlib>
#include <cstring>

namespace marvella {

namespace {

// True when the data ends here: no further byte, and no failed read.
bool NothingMore(BodySource& source) {
  char probe;
  std::size_t got = 0;
  return source.Read(&probe, 1, &got) && got == 0;
}

}  // namespace

bool ExpectedBodySize(bool hasLengthHeader, const char* lengthText, std::size_t largest,
                      std::size_t* size) {
  if (!hasLengthHeader) {
    *size = largest < kBodyWithoutLength ? largest : kBodyWithoutLength;
    return *size > 0;
  }
  int declared = LeadingNumber(lengthText, lengthText + std::strlen(lengthText));
  if (declared <= 0 || static_cast<std::size_t>(declared) > largest) return false;
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
  bool whole = exact ? total == expected : total < expected || NothingMore(source);
  if (!whole) {
    std::free(buffer);
    return false;
  }
  *bytes = buffer;
  *size = total;
  return true;
}

}  // namespace marvella
