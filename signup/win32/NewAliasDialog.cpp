// The new-alias dialog: window side of ConfirmNewAlias.
#include "signup/win32/NewAliasDialog.h"

#include "common/win32/MessageBoxSink.h"
#include "signup/RetryChoices.h"
#include "signup/win32/DialogText.h"
#include "signup/win32/RetryDialogIds.h"

namespace marvella {

std::string NewAliasDialog::Run(HWND owner) {
  alias_.clear();
  return RunTemplate(IDD_NEW_ALIAS, owner) == IDOK ? alias_ : std::string();
}

void NewAliasDialog::OnInit(HWND dialog) {
  SendDlgItemMessageA(dialog, IDC_NEW_VALUE, EM_LIMITTEXT, 9, 0);
}

void NewAliasDialog::OnAccept(HWND dialog) {
  std::string typed = DialogItemText(dialog, IDC_NEW_VALUE);
  MessageBoxSink messages(dialog);
  if (!ConfirmNewAlias(typed, messages)) return;
  alias_ = typed;
  EndDialog(dialog, IDOK);
}

}  // namespace marvella
