// The privacy dialog: its text is loaded when the dialog is initialised, every time.
#include "installer/win32/PrivacyPolicyDialog.h"

#include "installer/win32/TextResource.h"
#include "installer/win32/WizardResource.h"

namespace marvella {

INT_PTR PrivacyPolicyDialog::DoModal(HWND owner) {
  return DialogBoxParamA(resources_, MAKEINTRESOURCEA(IDD_PRIVACY), owner, DialogProc,
                         reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK PrivacyPolicyDialog::DialogProc(HWND dialog, UINT message, WPARAM wParam,
                                                 LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      auto* self = reinterpret_cast<PrivacyPolicyDialog*>(lParam);
      ShowTextResource(self->resources_, OURDATA_PRIVACY, GetDlgItem(dialog, IDC_PRIVACY_TEXT));
      // Focus on "Aceptar": a focused text box would open selected and scrolled to its end.
      SetFocus(GetDlgItem(dialog, IDOK));
      return FALSE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
      }
      break;
  }
  return FALSE;
}

}  // namespace marvella
