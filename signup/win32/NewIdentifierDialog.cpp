// The new-identifier dialog: window side of ConfirmNewIdentifier.
#include "signup/win32/NewIdentifierDialog.h"

#include "common/win32/MessageBoxSink.h"
#include "signup/RetryChoices.h"
#include "signup/win32/DialogText.h"
#include "signup/win32/RetryDialogIds.h"

namespace marvella {

std::string NewIdentifierDialog::Run(HWND owner) {
  chosen_.clear();
  return RunTemplate(IDD_NEW_IDENTIFIER, owner) == IDOK ? chosen_ : std::string();
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

bool NewIdentifierDialog::OnCommand(HWND dialog, WORD id, WORD code) {
  // Using one of the two choices selects its radio button.
  if (id == IDC_SUGGESTIONS) {
    if (code == LBN_SETFOCUS)
      CheckRadioButton(dialog, IDC_TYPED_CHOICE, IDC_SUGGESTED_CHOICE, IDC_SUGGESTED_CHOICE);
    return true;
  }
  if (id == IDC_NEW_VALUE) {
    if (code == EN_SETFOCUS)
      CheckRadioButton(dialog, IDC_TYPED_CHOICE, IDC_SUGGESTED_CHOICE, IDC_TYPED_CHOICE);
    return true;
  }
  return false;
}

}  // namespace marvella
