// Fills the personal-data and interests pages through their controls with a new user who
// passes every rule, for walks that go past them (the page may be in another process).
#pragma once

#include <windows.h>

#include "installer/win32/WizardResource.h"

namespace marvella::test {

inline void FillPersonalData(HWND page) {
  SetDlgItemTextA(page, IDC_UI_NAME, "Ana");
  SetDlgItemTextA(page, IDC_UI_SURNAME, "Pérez Gil");
  SetDlgItemTextA(page, IDC_UI_USERID, "ana.p");  // the e-mail and alias boxes follow
  SetDlgItemTextA(page, IDC_UI_ALIAS, "anap");    // an alias takes no "."
  SetDlgItemTextA(page, IDC_UI_PASSWORD, "clave1");
  SetDlgItemTextA(page, IDC_UI_CONFIRM, "clave1");
  SetDlgItemTextA(page, IDC_UI_ADDRESS, "Mayor 1");
  SetDlgItemTextA(page, IDC_UI_CITY, "Madrid");
  SetDlgItemTextA(page, IDC_UI_ZIPCODE, "28001");
  SetDlgItemTextA(page, IDC_UI_PHONE, "912345678");
  SendDlgItemMessageA(page, IDC_UI_SEX, CB_SETCURSEL, 1, 0);          // "Mujer"
  SendDlgItemMessageA(page, IDC_UI_PROFESSION, CB_SETCURSEL, 18, 0);  // "Estudiante"
  SendDlgItemMessageA(page, IDC_UI_PROVINCE, CB_SETCURSEL, 1, 0);     // the first province
}

inline void AnswerInterests(HWND page) {
  SendDlgItemMessageA(page, IDC_U2_NEWS_YES, BM_CLICK, 0, 0);
  SendDlgItemMessageA(page, IDC_U2_OTHERS_NO, BM_CLICK, 0, 0);
}

}  // namespace marvella::test
