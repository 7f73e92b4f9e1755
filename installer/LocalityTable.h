// The localities the portal's weather service knows, with their postal and province codes,
// and the two lookups the optional-data page makes over them.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace marvella {

struct LocalityRow {
  const char* name;
  const char* postalCode;    // five digits
  const char* provinceCode;  // "01" to "50" for a province capital, "00" otherwise
};

// A short table until the service's full list is in.
constexpr size_t kLocalityCount = 31;
extern const LocalityRow kLocalityTable[kLocalityCount];  // sorted by name, byte order

// An entry of the weather list after its empty first entry.
struct WeatherEntry {
  std::string name;
  int row;  // the first table row with this name
};

// Each distinct name once, in table order.
std::vector<WeatherEntry> WeatherListEntries();

// The row for a postal code: the exact code, else the first row whose province code equals
// its first two characters; -1 when none.
int FindWeatherLocality(const std::string& zipcode);

// "Barcelona" in the weather list.
constexpr int kDefaultWeatherPosition = 22;

}  // namespace marvella
