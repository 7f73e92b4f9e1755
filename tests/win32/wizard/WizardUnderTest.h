// The real installer wizard, run modally on a thread of its own and driven from the
// test's thread through its windows, as a user would drive it.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <thread>

#include "tests/win32/wizard/PassThroughPage.h"
#include "installer/win32/WizardSheet.h"
#include "tests/unit/wizard/ScriptedPages.h"
#include "tests/win32/wizard/SheetDriver.h"

namespace marvella::test {

struct ButtonState {
  bool back = false;    // Back shown and enabled
  bool next = false;    // Next shown and enabled
  bool finish = false;  // Finish shown and enabled
  bool cancel = false;  // Cancel enabled
  bool operator==(const ButtonState& o) const {
    return back == o.back && next == o.next && finish == o.finish && cancel == o.cancel;
  }
};

class WizardUnderTest {
 public:
  // Starts the wizard; `seams` may script pages 2 to 7, and `built` runs on the wizard's
  // thread once the wizard is built, before it runs. Waits for the sheet window. The
  // hardware page, unless scripted, passes through: its real rules need the simulated
  // remote-access service, which only `realHardwarePage` tests set up. The results page,
  // unless scripted, passes through as well.
  explicit WizardUnderTest(const WizardSeams& seams = WizardSeams(),
                           std::function<void(WizardSheet&)> built = nullptr,
                           bool realHardwarePage = false);
  // Cancels the wizard when it is still open and waits for its thread.
  ~WizardUnderTest();

  HWND sheet() const { return sheet_; }
  bool running() const { return !finished_; }
  WizardEnd end() const { return end_; }

  // Lets the wizard's thread handle everything posted to it so far, and what that posts.
  void Settle();
  // Presses a sheet button (PSM_PRESSBUTTON, posted so a modal box may open) and settles.
  void Press(int psbtn);
  // Clicks a control of the current page (BM_CLICK) and settles.
  void Click(int controlId);
  // The current page: its window and its index in the sheet.
  HWND Page() const;
  int PageIndex() const;
  ButtonState Buttons() const;
  bool Checked(int controlId) const;
  // Waits for the wizard to end (after Finish or Cancel); false when it does not.
  bool WaitForEnd(DWORD timeoutMs);

  InstallerApp app;  // the run-wide values the pages read and write
  ScriptedToolbar toolbar;
  PassThroughPage passThroughHardware;

 private:
  void Run(WizardSeams seams, std::function<void(WizardSheet&)> built);
  static LRESULT CALLBACK BarrierProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HANDLE settled_;
  HANDLE ready_;
  HANDLE ended_;
  HWND barrier_ = nullptr;  // written before ready_ is set
  HWND sheet_ = nullptr;
  std::atomic<bool> finished_{false};
  WizardEnd end_ = WizardEnd::kNotShown;
  std::thread thread_;
};

}  // namespace marvella::test
