// The optional-data page's model.
#include "installer/OptionalData.h"

#include "installer/LocalityTable.h"

namespace marvella {

const StockRow StockTable[kStockCount] = {
    {"Selecciona una opción", ""},
    {"Telefónica", "TEF"},
    {"Banco Bilbao-Vizcaya", "BBV"},
    {"Repsol", "REP"},
    {"Endesa", "ELE"},
    {"BSCH", "SCH"},
    {"TelePizza", "TPZ"},
    {"Argentaria", "ARG"},
    {"Tabacalera", "TAB"},
    {"Banco Popular", "POP"},
    {"Iberdrola", "IBE"},
    {"Banesto", "BTO"},
    {"Dragados", "DRC"},
};

const char* const FootballClubList[kFootballClubCount] = {
    "Selecciona una opción",
    "Alavés",
    "Ath.Bilbao",
    "Atl.Madrid",
    "Barcelona",
    "Betis",
    "Celta",
    "D.Coruña",
    "Espanyol",
    "Málaga",
    "Mallorca",
    "Numancia",
    "Oviedo",
    "R.Madrid",
    "R.Sociedad",
    "R.Vallecano",
    "Santander",
    "Sevilla",
    "Valladolid",
    "Zaragoza",
    "Valencia",
};

const char* const kZodiacList[kZodiacListCount] = {
    " ",     "Aries",    "Tauro",     "Geminis",     "Cancer",  "Leo",    "Virgo",
    "Libra", "Escorpio", "Sagitario", "Capricornio", "Acuario", "Piscis",
};

const ZodiacSign ZodiacTable[kZodiacSignCount] = {
    {"Aries", 21, 3, 20, 4},        {"Tauro", 21, 4, 21, 5},      {"Géminis", 22, 5, 21, 6},
    {"Cáncer", 22, 6, 23, 7},       {"Leo", 24, 7, 23, 8},        {"Virgo", 24, 8, 23, 9},
    {"Libra", 24, 9, 23, 10},       {"Escorpio", 24, 10, 22, 11}, {"Sagitario", 23, 11, 21, 12},
    {"Capricornio", 22, 12, 20, 1}, {"Acuario", 21, 1, 19, 2},    {"Piscis", 20, 2, 20, 3},
};

int ZodiacPosition(int day, int month) {
  for (size_t i = 0; i < kZodiacSignCount; ++i) {
    const ZodiacSign& s = ZodiacTable[i];
    if ((s.firstMonth == month && day >= s.firstDay) || (s.lastMonth == month && day <= s.lastDay))
      return static_cast<int>(i) + 1;
  }
  return 1;
}

int WeatherPosition(const std::string& zipcode) {
  int row = FindWeatherLocality(zipcode);
  if (row < 0) return kDefaultWeatherPosition;
  std::vector<WeatherEntry> entries = WeatherListEntries();
  for (size_t i = 0; i < entries.size(); ++i)
    if (entries[i].name == kLocalityTable[row].name) return static_cast<int>(i) + 1;
  return kDefaultWeatherPosition;
}

void ActivateOptionalData(OptionalDataForm& form, UserRecord& user) {
  form.zodiac = ZodiacPosition(user.birthDay, user.birthMonth);
  user.horoscopo = std::to_string(form.zodiac);
  form.weather = WeatherPosition(user.zipcode);
}

bool ValidateOptionalData(const OptionalDataForm& form, UserRecord& user) {
  user.bolsa = form.stock > 0 && form.stock < static_cast<int>(kStockCount)
                   ? StockTable[form.stock].ticker
                   : "";
  if (form.club > 0 && form.club < static_cast<int>(kFootballClubCount))
    user.futbol = FootballClubList[form.club];
  if (form.zodiac < 1) {
    user.tiempo.clear();
    return false;
  }
  user.horoscopo = std::to_string(form.zodiac);
  user.tiempo = form.weather > 0 ? form.weatherText : "";
  return true;
}

}  // namespace marvella
