// Hidden form fields of the service's pages.
#include "toolbar/FieldSearch.h"

#include "common/BoundedText.h"
#include "toolbar/PageText.h"

#include <cstring>

namespace marvella {

namespace {
const char kFieldOpening[] = "<INPUT TYPE=HIDDEN NAME=\"";
}

bool FindHiddenField(const char* bytes, std::size_t size, const char* name, const char** value,
                     std::size_t* valueLength) {
  const char* begin = bytes;
  const char* end = bytes + PageTextLength(bytes, size);

  // The opening, the name and its closing quote, as one needle.
  char needle[128];
  std::size_t openingLength = sizeof kFieldOpening - 1;
  std::size_t nameLength = std::strlen(name);
  if (openingLength + nameLength + 1 > sizeof needle) return false;
  std::memcpy(needle, kFieldOpening, openingLength);
  std::memcpy(needle + openingLength, name, nameLength);
  needle[openingLength + nameLength] = '"';
  std::size_t needleLength = openingLength + nameLength + 1;

  const char* field = FindText(begin, end, needle, needleLength);
  if (!field) return false;
  const char* afterName = field + needleLength;
  const char* tagEnd = FindChar(afterName, end, '>');
  if (!tagEnd) return false;
  const char* valueWord = FindText(afterName, tagEnd, "VALUE", 5);
  if (!valueWord) return false;
  const char* open = valueWord + 5;
  if (tagEnd - open < 2 || open[0] != '=' || open[1] != '"') return false;
  const char* first = open + 2;
  const char* close = FindChar(first, tagEnd, '"');
  if (!close) return false;
  *value = first;
  *valueLength = static_cast<std::size_t>(close - first);
  return true;
}

bool ReadHiddenText(const char* bytes, std::size_t size, const char* name, char* destination,
                    std::size_t capacity) {
  const char* value;
  std::size_t length;
  if (!FindHiddenField(bytes, size, name, &value, &length)) return false;
  if (capacity == 0 || length > capacity - 1) return false;
  return CopyBounded(destination, capacity, value, length);
}

int ReadHiddenNumber(const char* bytes, std::size_t size, const char* name) {
  const char* value;
  std::size_t length;
  if (!FindHiddenField(bytes, size, name, &value, &length)) return -1;
  return LeadingNumber(value, value + length);
}

}  // namespace marvella
