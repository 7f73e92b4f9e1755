// The privacy-policy dialog that the hyperlink of the personal-data page opens: the
// service's privacy principles in a read-only box and an "Aceptar" button.
#pragma once

#include <windows.h>

namespace marvella {

class PrivacyPolicyDialog {
 public:
  explicit PrivacyPolicyDialog(HMODULE resources) : resources_(resources) {}

  // Shows the dialog modally, owned by `owner` (may be null), until "Aceptar" or the close
  // box. Returns the dialog's result, or -1 when it could not be shown.
  INT_PTR DoModal(HWND owner);

 private:
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  HMODULE resources_;
};

}  // namespace marvella
