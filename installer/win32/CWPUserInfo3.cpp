// Page 6, optional data: the lists and the model.
#include "installer/win32/CWPUserInfo3.h"

#include "installer/LocalityTable.h"
#include "installer/win32/PageControls.h"

namespace marvella {

void CWPUserInfo3::Init() {
  HWND page = Window();
  for (size_t row = 0; row < kStockCount; ++row)
    AddListEntry(page, IDC_U3_STOCK, StockTable[row].name, static_cast<LPARAM>(row));
  for (size_t i = 0; i < kFootballClubCount; ++i)
    AddListEntry(page, IDC_U3_FOOTBALL, FootballClubList[i], static_cast<LPARAM>(i));
  for (size_t i = 0; i < kZodiacListCount; ++i)
    AddListEntry(page, IDC_U3_ZODIAC, kZodiacList[i], static_cast<LPARAM>(i));
  AddListEntry(page, IDC_U3_WEATHER, "", -1);
  for (const WeatherEntry& e : WeatherListEntries())
    AddListEntry(page, IDC_U3_WEATHER, e.name.c_str(), e.row);
  SelectListPosition(page, IDC_U3_STOCK, 0);
  SelectListPosition(page, IDC_U3_FOOTBALL, 0);
}

void CWPUserInfo3::Show() {
  OptionalDataForm form = ReadForm();
  ActivateOptionalData(form, app_.user);
  SelectListPosition(Window(), IDC_U3_ZODIAC, form.zodiac);
  SelectListPosition(Window(), IDC_U3_WEATHER, form.weather);
}

bool CWPUserInfo3::ValidateNext() { return ValidateOptionalData(ReadForm(), app_.user); }

OptionalDataForm CWPUserInfo3::ReadForm() const {
  HWND page = Window();
  OptionalDataForm form;
  form.stock = static_cast<int>(SelectedListData(page, IDC_U3_STOCK, 0));
  form.club = static_cast<int>(SelectedListData(page, IDC_U3_FOOTBALL, 0));
  form.zodiac = SelectedListPosition(page, IDC_U3_ZODIAC);
  form.weather = SelectedListPosition(page, IDC_U3_WEATHER);
  form.weatherText = SelectedListText(page, IDC_U3_WEATHER);
  return form;
}

}  // namespace marvella
