// Hourglass on, again after a dialog, and off.
#include "installer/win32/WaitCursor.h"

namespace marvella {

void WaitCursor::BeginWait() {
  HCURSOR before = SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32514)));  // IDC_WAIT
  if (depth_++ == 0) previous_ = before;
}

void WaitCursor::RestoreWait() {
  if (depth_ > 0) SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32514)));
}

void WaitCursor::EndWait() {
  if (depth_ == 0) return;
  if (--depth_ == 0)
    SetCursor(previous_ ? previous_ : LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)));  // IDC_ARROW
}

}  // namespace marvella
