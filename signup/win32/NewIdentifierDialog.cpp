// The new-identifier dialog: window side of ConfirmNewIdentifier.
#include "signup/win32/NewIdentifierDialog.h"

#include "common/win32/MessageBoxSink.h"
#include "signup/RetryChoices.h"
#include "signup/win32/DialogText.h"
#include "signup/win32/RetryDialogIds.h"

namespace marvella {

std::string NewIdentifierDialog::Run(HWND owner) {
  chosen_.clear();
  INT_PTR r = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_NEW_IDENTIFIER),
                              owner, Procedure, reinterpret_cast<LPARAM>(this));
  return r == IDOK ? chosen_ : std::string();
}

void NewIdentifierDialog::OnInit(HWND dialog) {
  SetDlgItemTextA(dialog, IDC_TAKEN_TEXT, IdentifierTakenText(record_.userid).c_str());
  CheckRadioButton(dialog, IDC_TYPED_CHOICE, IDC_SUGGESTED_CHOICE, IDC_SUGGESTED_CHOICE);
  HWND list = GetDlgItem(dialog, IDC_SUGGESTIONS);
  for (size_t i = 0; i < suggestions_.size(); ++i) {
    LRESULT entry =
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(suggestions_[i].c_str()));
    if (entry >= 0)
      SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(entry), static_cast<LPARAM>(i));
  }
  SendMessageA(list, LB_SETCURSEL, 0, 0);
  SendDlgItemMessageA(dialog, IDC_NEW_VALUE, EM_LIMITTEXT, 15, 0);
}

void NewIdentifierDialog::OnAccept(HWND dialog) {
  bool fromSuggestions = IsDlgButtonChecked(dialog, IDC_SUGGESTED_CHOICE) == BST_CHECKED;
  int index = -1;
  if (fromSuggestions) {
    LRESULT entry = SendDlgItemMessageA(dialog, IDC_SUGGESTIONS, LB_GETCURSEL, 0, 0);
    if (entry != LB_ERR)
      index = static_cast<int>(SendDlgItemMessageA(dialog, IDC_SUGGESTIONS, LB_GETITEMDATA,
                                                   static_cast<WPARAM>(entry), 0));
  }
  MessageBoxSink messages(dialog);
  if (ConfirmNewIdentifier(suggestions_, fromSuggestions, index,
                           DialogItemText(dialog, IDC_NEW_VALUE), record_, messages, chosen_)) {
    EndDialog(dialog, IDOK);
    return;
  }
  if (fromSuggestions && index < 0) {
    // Nothing to pick from: lead the user to typing one.
    CheckRadioButton(dialog, IDC_TYPED_CHOICE, IDC_SUGGESTED_CHOICE, IDC_TYPED_CHOICE);
    SetFocus(GetDlgItem(dialog, IDC_NEW_VALUE));
  }
}

INT_PTR CALLBACK NewIdentifierDialog::Procedure(HWND dialog, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
  auto* self = reinterpret_cast<NewIdentifierDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      reinterpret_cast<NewIdentifierDialog*>(lParam)->OnInit(dialog);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          if (self) self->OnAccept(dialog);
          return TRUE;
        case IDCANCEL:
          EndDialog(dialog, IDCANCEL);
          return TRUE;
        case IDC_SUGGESTIONS:
          // Using one of the two choices selects its radio button.
          if (HIWORD(wParam) == LBN_SETFOCUS)
            CheckRadioButton(dialog, IDC_TYPED_CHOICE, IDC_SUGGESTED_CHOICE, IDC_SUGGESTED_CHOICE);
          return TRUE;
        case IDC_NEW_VALUE:
          if (HIWORD(wParam) == EN_SETFOCUS)
            CheckRadioButton(dialog, IDC_TYPED_CHOICE, IDC_SUGGESTED_CHOICE, IDC_TYPED_CHOICE);
          return TRUE;
      }
      break;
  }
  return FALSE;
}

}  // namespace marvella
