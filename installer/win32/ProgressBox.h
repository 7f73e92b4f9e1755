// Progress lines in a page's progress box while the user-interface thread blocks, and the
// message pumping that keeps the windows painted meanwhile.
#pragma once

#include <windows.h>

#include "common/ProgressSink.h"

namespace marvella {

// Appends `text` and CR LF to the text of `box`, then calls PumpMessages.
void AppendProgressLine(const char* text, HWND box);

// Takes, translates and dispatches this thread's queued messages until the queue is empty
// (false) or a WM_QUIT is taken (true; it is neither dispatched nor put back).
bool PumpMessages();

// ProgressSink over one progress box.
class ProgressBoxSink final : public ProgressSink {
 public:
  explicit ProgressBoxSink(HWND box) : box_(box) {}
  void AppendProgressLine(const char* line) override { marvella::AppendProgressLine(line, box_); }

 private:
  HWND box_;
};

}  // namespace marvella
