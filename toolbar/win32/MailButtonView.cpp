// The mail button's image and the new-mail beep.
#include "toolbar/win32/MailButtonView.h"

#include <commctrl.h>

namespace marvella {

void MailButtonView::ShowMailImage(int image) {
  if (!toolbar_) return;
  if (GetWindowThreadProcessId(toolbar_, nullptr) == GetCurrentThreadId()) {
    SendMessageA(toolbar_, TB_CHANGEBITMAP, 1, MAKELPARAM(image, 0));
    InvalidateRect(toolbar_, nullptr, TRUE);
    UpdateWindow(toolbar_);
  } else {
    PostMessageA(toolbar_, TB_CHANGEBITMAP, 1, MAKELPARAM(image, 0));
    InvalidateRect(toolbar_, nullptr, TRUE);
  }
}

void MailButtonView::Beep() { MessageBeep(MB_OK); }

}  // namespace marvella
