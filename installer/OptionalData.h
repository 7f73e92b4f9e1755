// The optional-data page's model: the stock, football, zodiac and weather lists, the
// zodiac and weather choices made from the personal data, and what Next keeps.
#pragma once

#include <cstddef>
#include <string>

#include "signup/UserRecord.h"

namespace marvella {

struct StockRow {
  const char* name;
  const char* ticker;  // "bolsa"; empty for the first row ("Selecciona una opción")
};
constexpr size_t kStockCount = 13;
extern const StockRow StockTable[kStockCount];  // item data = row

constexpr size_t kFootballClubCount = 21;
extern const char* const FootballClubList[kFootballClubCount];  // item data = position

// The zodiac list: a blank " " first, then the twelve signs (positions 1 to 12).
constexpr size_t kZodiacListCount = 13;
extern const char* const kZodiacList[kZodiacListCount];

struct ZodiacSign {
  const char* sign;
  int firstDay, firstMonth, lastDay, lastMonth;
};
constexpr size_t kZodiacSignCount = 12;
extern const ZodiacSign ZodiacTable[kZodiacSignCount];  // in list order, Aries first

// The list position (1 to 12) of the sign of a birth day and month; Aries when none fits.
int ZodiacPosition(int day, int month);

// The weather list position of the locality of a postal code: the entry of its row's
// name, or "Barcelona" when no row fits.
int WeatherPosition(const std::string& zipcode);

// What the page's lists hold: the selected positions (-1 for none) and the weather text.
struct OptionalDataForm {
  int stock = 0;
  int club = 0;
  int zodiac = 0;
  int weather = 0;
  std::string weatherText;
};

// On every activation: the zodiac sign from the birth date (also kept in "horoscopo") and
// the weather locality from the postal code.
void ActivateOptionalData(OptionalDataForm& form, UserRecord& user);

// Next: copies the choices into the record. False, with no message, while the zodiac list
// shows its blank entry.
bool ValidateOptionalData(const OptionalDataForm& form, UserRecord& user);

}  // namespace marvella
