// The new-alias dialog: window side of ConfirmNewAlias.
#include "signup/win32/NewAliasDialog.h"

#include "common/win32/MessageBoxSink.h"
#include "signup/RetryChoices.h"
#include "signup/win32/DialogText.h"
#include "signup/win32/RetryDialogIds.h"

namespace marvella {

std::string NewAliasDialog::Run(HWND owner) {
  alias_.clear();
  INT_PTR r = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_NEW_ALIAS), owner,
                              Procedure, reinterpret_cast<LPARAM>(this));
  return r == IDOK ? alias_ : std::string();
}

void NewAliasDialog::OnAccept(HWND dialog) {
  std::string typed = DialogItemText(dialog, IDC_NEW_VALUE);
  MessageBoxSink messages(dialog);
  if (!ConfirmNewAlias(typed, messages)) return;
  alias_ = typed;
  EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK NewAliasDialog::Procedure(HWND dialog, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
  auto* self = reinterpret_cast<NewAliasDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      SendDlgItemMessageA(dialog, IDC_NEW_VALUE, EM_LIMITTEXT, 9, 0);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          if (self) self->OnAccept(dialog);
          return TRUE;
        case IDCANCEL:
          EndDialog(dialog, IDCANCEL);
          return TRUE;
      }
      break;
  }
  return FALSE;
}

}  // namespace marvella
