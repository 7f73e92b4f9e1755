// The wizard's sheet seen from outside its thread (or its process): the sheet's own
// buttons, the pages' captions, the page showing, and waits bounded at about a minute.
#pragma once

#include <windows.h>
#include <prsht.h>

#include "installer/WizardFrame.h"

namespace marvella::test {

// The sheet's own button identifiers.
constexpr int kBackButton = 0x3023;
constexpr int kNextButton = 0x3024;
constexpr int kFinishButton = 0x3025;

// The sheet's caption on each page.
constexpr const char* kPageTitles[kWizardPageCount] = {
    "Instalador de Marvella - Bienvenido",
    "Instalador de Marvella - Contrato",
    "Instalador de Marvella - Información sobre el hardware",
    "Instalador de Marvella - Tipo de usuario",
    "Instalador de Marvella - Datos necesarios",
    "Instalador de Marvella - Datos de interés",
    "Instalador de Marvella - Datos opcionales",
    "Instalador de Marvella - Alta en servicio Marvella de acceso gratuito",
    "Instalador de Marvella - Conexión configurada",
};

inline HWND CurrentPage(HWND sheet) {
  return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

// A button of the sheet that is shown and enabled.
inline bool Usable(HWND sheet, int id) {
  HWND b = GetDlgItem(sheet, id);
  return b && IsWindowVisible(b) && IsWindowEnabled(b);
}

// Polls until `done` holds or a minute passes; another thread's or process's queue cannot be
// settled.
template <typename Done>
bool Eventually(Done done) {
  for (int i = 0; i < 3000; ++i) {
    if (done()) return true;
    Sleep(20);
  }
  return done();
}

}  // namespace marvella::test
