// The personal-data, interests and optional-data pages of the real sheet under Wine: one
// new user fills them through their controls, meets a rule's message box on the way, and
// leaves a record that is checked field by field. Each filled page is saved as a screenshot.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/win32/MessageBoxSink.h"
#include "installer/win32/WizardResource.h"
#include "tests/win32/support/Screenshot.h"
#include "tests/win32/support/WindowDriver.h"
#include "tests/win32/wizard/WizardUnderTest.h"

namespace marvella::test {
namespace {

// Types into a box as the keyboard would: every character notifies the page.
void Type(HWND page, int id, const char* text) {
  for (const char* c = text; *c; ++c)
    PostMessageA(GetDlgItem(page, id), WM_CHAR, static_cast<unsigned char>(*c), 1);
}

int ListCount(HWND page, int id) {
  return static_cast<int>(SendDlgItemMessageA(page, id, CB_GETCOUNT, 0, 0));
}

std::string ListText(HWND page, int id, int position) {
  char text[256] = {};
  if (SendDlgItemMessageA(page, id, CB_GETLBTEXTLEN, position, 0) < 255)
    SendDlgItemMessageA(page, id, CB_GETLBTEXT, position, reinterpret_cast<LPARAM>(text));
  return text;
}

std::string Selected(HWND page, int id) {
  return ListText(page, id, static_cast<int>(SendDlgItemMessageA(page, id, CB_GETCURSEL, 0, 0)));
}

void Select(HWND page, int id, const char* text) {
  for (int i = 0; i < ListCount(page, id); ++i)
    if (ListText(page, id, i) == text) SendDlgItemMessageA(page, id, CB_SETCURSEL, i, 0);
  ASSERT_EQ(text, Selected(page, id));
}

// Answers the installer's message box now showing with OK and returns its text.
std::string AnswerMessage() {
  HWND box = WaitForWindow("#32770", ProgramFileName().c_str(), 60000);
  if (!box) return "(no message box)";
  std::string text = MessageBoxText(box);
  PressButton(box, IDOK);
  return text;
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  return info.hwndFocus;
}

TEST(DataPagesWalk, NewUserFillsThePagesThroughTheirControls) {
  ASSERT_EQ(1252u, GetACP());
  WizardUnderTest w;
  // What start-up and the hardware page leave: nodes, and no province chosen.
  w.app.accessNodes = {{"Madrid", "Madrid", "912000000"},
                       {"Getafe", "Madrid", "916000000"},
                       {"Otra", "Zonas sin nodo local", "902000000"},
                       {"Sevilla", "Sevilla", "954000000"}};
  w.Press(PSBTN_NEXT);
  w.Click(IDC_ACCEPT);
  for (int i = 0; i < 3; ++i) w.Press(PSBTN_NEXT);
  ASSERT_EQ(kPersonalDataPage, w.PageIndex());
  HWND page = w.Page();

  // The lists, the limits and the first state.
  EXPECT_EQ(31, ListCount(page, IDC_UI_BIRTH_DAY));
  EXPECT_EQ(12, ListCount(page, IDC_UI_BIRTH_MONTH));
  EXPECT_EQ("Mujer", ListText(page, IDC_UI_SEX, 1));
  EXPECT_EQ(22, ListCount(page, IDC_UI_PROFESSION));
  EXPECT_EQ("Servicios medicos/Sanitarios", ListText(page, IDC_UI_PROFESSION, 10));
  ASSERT_EQ(3, ListCount(page, IDC_UI_PROVINCE));
  EXPECT_EQ("Sevilla", ListText(page, IDC_UI_PROVINCE, 2));
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(page, IDC_UI_PROVINCE)));
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(page, IDC_UI_PROVINCE_LABEL)));
  EXPECT_EQ("1970", ControlText(page, IDC_UI_BIRTH_YEAR));
  const struct {
    int id, limit;
  } limits[] = {{IDC_UI_NAME, 60},     {IDC_UI_USERID, 15}, {IDC_UI_PASSWORD, 15},
                {IDC_UI_ADDRESS, 150}, {IDC_UI_PHONE, 15},  {IDC_UI_ALIAS, 9}};
  for (const auto& l : limits)
    EXPECT_EQ(l.limit, SendDlgItemMessageA(page, l.id, EM_GETLIMITTEXT, 0, 0)) << l.id;

  // Typing the identifier: the e-mail and alias follow; a capital is refused at once.
  Type(page, IDC_UI_USERID, "ana.p");
  w.Settle();
  EXPECT_EQ(nullptr, WaitForWindow("#32770", ProgramFileName().c_str(), 0)) << "a dot on its way";
  EXPECT_EQ("ana.p@marvella.es", ControlText(page, IDC_UI_EMAIL));
  EXPECT_EQ("ana.p", ControlText(page, IDC_UI_ALIAS));
  Type(page, IDC_UI_USERID, "X");
  EXPECT_EQ(0u, AnswerMessage().find("Caracteres permitidos para el Indentificador"));
  w.Settle();
  SetDlgItemTextA(page, IDC_UI_USERID, "ana.p");

  SetDlgItemTextA(page, IDC_UI_ALIAS, "anap");  // an alias takes no "."
  SetDlgItemTextA(page, IDC_UI_NAME, "Ana");
  SetDlgItemTextA(page, IDC_UI_SURNAME, "Pérez Gil");
  SetDlgItemTextA(page, IDC_UI_PASSWORD, "clave1");
  SetDlgItemTextA(page, IDC_UI_CONFIRM, "clave1");
  SetDlgItemTextA(page, IDC_UI_ADDRESS, "Calle Sierpes 5");
  SetDlgItemTextA(page, IDC_UI_CITY, "Sevilla");
  SetDlgItemTextA(page, IDC_UI_ZIPCODE, "41004");
  SetDlgItemTextA(page, IDC_UI_PHONE, "95422113");
  SetDlgItemTextA(page, IDC_UI_BIRTH_YEAR, "1984");
  Select(page, IDC_UI_BIRTH_DAY, "21");
  Select(page, IDC_UI_BIRTH_MONTH, "3");
  Select(page, IDC_UI_SEX, "Mujer");
  Select(page, IDC_UI_PROFESSION, "Estudiante");
  Select(page, IDC_UI_PROVINCE, "Sevilla");

  // Eight digits: rule 18 keeps the page and sends the focus to the phone box.
  PostMessageA(w.sheet(), PSM_PRESSBUTTON, PSBTN_NEXT, 0);
  EXPECT_EQ("El teléfono debe ser como mínimo de 9 números.", AnswerMessage());
  w.Settle();
  EXPECT_EQ(kPersonalDataPage, w.PageIndex());
  EXPECT_EQ(GetDlgItem(page, IDC_UI_PHONE), FocusOf(w.sheet()));
  SetDlgItemTextA(page, IDC_UI_PHONE, "954221130");
  EXPECT_FALSE(SaveWindowScreenshot(w.sheet(), "data-pages-4-personal-data").empty());
  w.Press(PSBTN_NEXT);
  ASSERT_EQ(kInterestsPage, w.PageIndex());

  page = w.Page();
  for (int id : {IDC_U2_FROM_HOME, IDC_U2_FROM_OTHER, IDC_U2_CINEMA, IDC_U2_TRAVEL, IDC_U2_NEWS_YES,
                 IDC_U2_OTHERS_NO})
    w.Click(id);
  EXPECT_FALSE(SaveWindowScreenshot(w.sheet(), "data-pages-5-interests").empty());
  w.Press(PSBTN_NEXT);
  ASSERT_EQ(kOptionalDataPage, w.PageIndex());

  // The sign from the birth date, the locality from the postal code's province.
  page = w.Page();
  EXPECT_EQ("Aries", Selected(page, IDC_U3_ZODIAC));
  EXPECT_EQ("Sevilla", Selected(page, IDC_U3_WEATHER));
  EXPECT_EQ("Selecciona una opción", Selected(page, IDC_U3_STOCK));
  EXPECT_EQ("Selecciona una opción", Selected(page, IDC_U3_FOOTBALL));
  EXPECT_EQ(13, ListCount(page, IDC_U3_ZODIAC));
  EXPECT_EQ("Barcelona", ListText(page, IDC_U3_WEATHER, 22));
  Select(page, IDC_U3_STOCK, "Repsol");
  Select(page, IDC_U3_FOOTBALL, "Betis");
  EXPECT_FALSE(SaveWindowScreenshot(w.sheet(), "data-pages-6-optional-data").empty());
  w.Press(PSBTN_NEXT);
  ASSERT_EQ(kResultsPage, w.PageIndex());

  const UserRecord& u = w.app.user;
  const struct {
    const std::string& value;
    const char* expected;
  } fields[] = {
      {u.name, "Ana"},
      {u.surname, "Pérez Gil"},
      {u.userid, "ana.p"},
      {u.password, "clave1"},
      {u.email, "ana.p@marvella.es"},
      {u.direccion, "Calle Sierpes 5"},
      {u.provincia, "Sevilla"},
      {u.city, "Sevilla"},
      {u.zipcode, "41004"},
      {u.telefono, "954221130"},
      {u.sexo, "M"},
      {u.profesion, "07"},
      {u.birth, "19840321"},
      {u.alias, "anap"},
      {u.enviarinfo, "s"},
      {u.infoexterna, "n"},
      {u.dondeconect, "casa,otros"},
      {u.clave, "03,18"},
      {u.bolsa, "REP"},
      {u.futbol, "Betis"},
      {u.horoscopo, "1"},
      {u.tiempo, "Sevilla"},
  };
  for (const auto& f : fields) EXPECT_EQ(f.expected, f.value);
}

}  // namespace
}  // namespace marvella::test
