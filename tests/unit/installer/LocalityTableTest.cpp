// The weather locality table's shape and its lookups.
#include "installer/LocalityTable.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <set>
#include <string>

namespace marvella::test {
namespace {

bool FiveDigits(const char* code) {
  if (std::strlen(code) != 5) return false;
  for (int i = 0; i < 5; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(code[i]))) return false;
  }
  return true;
}

int RowOf(const char* name, const char* postalCode) {
  for (size_t i = 0; i < kLocalityCount; ++i) {
    const LocalityRow& r = kLocalityTable[i];
    if (std::strcmp(r.name, name) == 0 && std::strcmp(r.postalCode, postalCode) == 0) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

TEST(LocalityTable, SortedByCodePageBytesWithOneCapitalPerProvince) {
  std::set<std::string> provinces;
  for (size_t i = 0; i < kLocalityCount; ++i) {
    const LocalityRow& r = kLocalityTable[i];
    SCOPED_TRACE(r.name);
    EXPECT_TRUE(FiveDigits(r.postalCode));
    if (i > 0) {
      EXPECT_LE(std::strcmp(kLocalityTable[i - 1].name, r.name), 0);
    }
    const std::string province = r.provinceCode;
    if (province == "00") continue;
    EXPECT_TRUE(provinces.insert(province).second) << "province twice";
    EXPECT_EQ(province + "000", r.postalCode);
  }
  EXPECT_EQ(50u, provinces.size());
  EXPECT_EQ("01", *provinces.begin());
  EXPECT_EQ("50", *provinces.rbegin());
  // Names are carried in code page 1252, where "Á" is one byte after every plain letter.
  EXPECT_GT(RowOf("\xC1vila", "05000"), RowOf("Zaragoza", "50000"));
}

TEST(LocalityTable, WeatherListNamesEachLocalityOnce) {
  const std::vector<WeatherEntry> entries = WeatherListEntries();
  ASSERT_EQ(kLocalityCount - 5, entries.size()) << "five repeated Alcorcón rows";
  std::set<std::string> names;
  for (const WeatherEntry& e : entries) {
    EXPECT_TRUE(names.insert(e.name).second) << e.name;
    EXPECT_EQ(e.name, kLocalityTable[e.row].name);
  }
  // Position 0 of the list is its empty entry.
  EXPECT_EQ("Barcelona", entries[kDefaultWeatherPosition - 1].name);
  EXPECT_EQ(RowOf("Alcorcón", "28920"), entries[5].row);
}

TEST(LocalityTable, FindsTheRowForAPostalCode) {
  const struct {
    const char* zipcode;
    int row;
  } cases[] = {
      {"28923", RowOf("Alcorcón", "28923")},
      {"08911", RowOf("Badalona", "08911")},
      {"11700", RowOf("Ceuta", "11700")},
      {"28999", RowOf("Madrid", "28000")},
      {"41013", RowOf("Sevilla", "41000")},
      {"05", RowOf("Ávila", "05000")},
      {"51001", -1},
      {"99999", -1},
      {"2", -1},
      {"", -1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.row, FindWeatherLocality(c.zipcode)) << c.zipcode;
  }
}

}  // namespace
}  // namespace marvella::test
