// The weather localities and their lookups.
#include "installer/LocalityTable.h"

namespace marvella {

const LocalityRow kLocalityTable[kLocalityCount] = {
    {"A Coruña", "15000", "15"},          {"Albacete", "02000", "02"},
    {"Alcalá de Henares", "28800", "00"}, {"Alcobendas", "28100", "00"},
    {"Alcoi", "03800", "00"},             {"Alcorcón", "28920", "00"},
    {"Alcorcón", "28921", "00"},          {"Alcorcón", "28922", "00"},
    {"Alcorcón", "28923", "00"},          {"Alcorcón", "28924", "00"},
    {"Alcorcón", "28925", "00"},          {"Algeciras", "11200", "00"},
    {"Alicante", "03000", "03"},          {"Almería", "04000", "04"},
    {"Antequera", "29200", "00"},         {"Aranjuez", "28300", "00"},
    {"Arganda del Rey", "28500", "00"},   {"Arrecife", "35500", "00"},
    {"Avilés", "33400", "00"},            {"Badajoz", "06000", "06"},
    {"Badalona", "08910", "00"},          {"Baeza", "23440", "00"},
    {"Barakaldo", "48900", "00"},         {"Barañáin", "31010", "00"},
    {"Barbastro", "22300", "00"},         {"Barbate", "11160", "00"},
    {"Barcelona", "08000", "08"},         {"Ceuta", "11700", "00"},
    {"Madrid", "28000", "28"},            {"Sevilla", "41000", "41"},
    {"Ávila", "05000", "05"},
};

std::vector<WeatherEntry> WeatherListEntries() {
  std::vector<WeatherEntry> entries;
  for (size_t i = 0; i < kLocalityCount; ++i) {
    if (!entries.empty() && entries.back().name == kLocalityTable[i].name) continue;
    entries.push_back(WeatherEntry{kLocalityTable[i].name, static_cast<int>(i)});
  }
  return entries;
}

int FindWeatherLocality(const std::string& zipcode) {
  for (size_t i = 0; i < kLocalityCount; ++i)
    if (zipcode == kLocalityTable[i].postalCode) return static_cast<int>(i);
  if (zipcode.size() < 2) return -1;
  std::string province = zipcode.substr(0, 2);
  for (size_t i = 0; i < kLocalityCount; ++i)
    if (province == kLocalityTable[i].provinceCode) return static_cast<int>(i);
  return -1;
}

}  // namespace marvella
