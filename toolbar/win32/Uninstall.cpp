// The uninstall confirmation dialog and the uninstall procedure.
#include "toolbar/win32/Uninstall.h"

#include "toolbar/win32/Registration.h"
#include "toolbar/win32/ServerState.h"
#include "toolbar/win32/ServerTexts.h"

namespace marvella {

namespace {

// Every command ends the dialog with its identifier (the two buttons, Enter and Escape);
// the close box answers "Cancelar".
INT_PTR CALLBACK ConfirmProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_COMMAND:
      EndDialog(dialog, LOWORD(wParam));
      return TRUE;
    case WM_CLOSE:
      EndDialog(dialog, IDC_KEEP);
      return TRUE;
  }
  return FALSE;
}

}  // namespace

INT_PTR ConfirmUninstall(HINSTANCE resources, HWND owner) {
  return DialogBoxParamA(resources, MAKEINTRESOURCEA(IDD_CONFIRM_UNINSTALL), owner, ConfirmProc, 0);
}

HRESULT UninstallToolbar() {
  // The bars go only once the registry let the library go: otherwise the next window
  // would show the bar again while this one has lost it.
  HRESULT result = RemoveRegistration();
  if (SUCCEEDED(result)) DestroyAllToolbars();
  TellUnregistered(result);
  return result;
}

}  // namespace marvella
