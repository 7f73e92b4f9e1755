// The mail button of the indicator's toolbar window, as the mail checker changes it. The
// checker may call from its polling thread while the window's own thread waits for that
// thread to end: from another thread nothing here waits for the window's thread.
#pragma once

#include "toolbar/MailChecker.h"

#include <windows.h>

namespace marvella {

class MailButtonView : public MailIndicatorView {
 public:
  explicit MailButtonView(HWND toolbar) : toolbar_(toolbar) {}
  // TB_CHANGEBITMAP on command 1, then a repaint with erasing: sent and painted at once on
  // the window's thread, posted from any other (the repaint follows the posted change).
  void ShowMailImage(int image) override;
  void Beep() override;

 private:
  HWND toolbar_;
};

}  // namespace marvella
