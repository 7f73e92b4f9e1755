// What the two retry dialogs share: a modal dialog from a resource template whose object
// rides in DWLP_USER; "Aceptar" asks the dialog (it closes itself when the choice passes),
// "Cancelar" closes it at once.
#pragma once

#include <windows.h>

namespace marvella {

// Dialog provides OnInit(HWND), OnAccept(HWND) and OnCommand(HWND, WORD id, WORD code).
template <typename Dialog>
class RetryDialog {
 protected:
  // IDOK or IDCANCEL (or -1 when the dialog could not be shown).
  INT_PTR RunTemplate(int templateId, HWND owner) {
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), owner,
                           Procedure, reinterpret_cast<LPARAM>(static_cast<Dialog*>(this)));
  }

 private:
  static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      reinterpret_cast<Dialog*>(lParam)->OnInit(dialog);
      return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;
    if (LOWORD(wParam) == IDCANCEL) {
      EndDialog(dialog, IDCANCEL);
      return TRUE;
    }
    auto* self = reinterpret_cast<Dialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (!self) return FALSE;
    if (LOWORD(wParam) == IDOK) {
      self->OnAccept(dialog);
      return TRUE;
    }
    return self->OnCommand(dialog, LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
  }
};

}  // namespace marvella
