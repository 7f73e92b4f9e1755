// The weather localities the portal knows (name, postal code, province code) and the lookups
// that turn them into the weather list and pick the user's locality from a postal code.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace marvella {

// Province capitals carry their province code ("01" to "50"), every other row "00".
struct LocalityRow {
  const char* name;
  const char* postalCode;
  const char* provinceCode;
};

constexpr size_t kLocalityCount = 258;

// Sorted by name in code page 1252 byte order, so accented initials come last.
extern const LocalityRow kLocalityTable[kLocalityCount];

struct WeatherEntry {
  std::string name;
  int row;  // index into kLocalityTable
};

// The weather list after its empty first entry: each distinct name once, in table order (a
// row whose name equals the previous row's adds nothing), with the index of its first row.
std::vector<WeatherEntry> WeatherListEntries();

// The row whose postal code equals `zipcode`; else the first row whose province code equals
// the first two characters of `zipcode`; -1 when none (or `zipcode` is shorter than two).
int FindWeatherLocality(const std::string& zipcode);

// The weather list position ("Barcelona") chosen when FindWeatherLocality finds nothing.
constexpr int kDefaultWeatherPosition = 22;

}  // namespace marvella
