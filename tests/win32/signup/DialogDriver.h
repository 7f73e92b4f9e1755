// Driving the modal retry dialogs from a second thread while the test thread runs them.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include "tests/win32/support/WindowDriver.h"

namespace marvella::test {

// Runs `drive` on its own thread once a dialog titled `title` shows; whatever `drive` does,
// the dialog is cancelled afterwards if it is still open, so the test never hangs.
// The dialog is looked for until it shows, however long a busy machine takes to get there
// (a conversation may pass through other dialogs first), and no longer than kPatienceMs.
// Join() waits for that; a driver destroyed without a Join() (a test that stopped at a
// failed assertion) stops looking at once.
class DialogDriver {
 public:
  static constexpr DWORD kPatienceMs = 60000;  // well inside the test's time limit

  DialogDriver(const char* title, std::function<void(HWND)> drive)
      : thread_([this, title, drive] { Drive(title, drive); }) {}
  ~DialogDriver() {
    abandoned_ = true;
    Join();
  }
  void Join() {
    if (thread_.joinable()) thread_.join();
  }

 private:
  void Drive(const char* title, const std::function<void(HWND)>& drive) {
    DWORD start = GetTickCount();
    HWND dialog = nullptr;
    while (!(dialog = WaitForWindow("#32770", title, 100))) {
      if (abandoned_ || GetTickCount() - start > kPatienceMs) {
        ADD_FAILURE() << "no dialog \"" << title << "\"";
        return;
      }
    }
    drive(dialog);
    if (IsWindow(dialog) && IsWindowVisible(dialog)) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  }

  std::atomic<bool> abandoned_{false};
  std::thread thread_;  // last: it starts once abandoned_ exists
};

// Types `text` into a control as keystrokes would, so edit limits apply.
inline void TypeInto(HWND dialog, int id, const std::string& text) {
  HWND edit = GetDlgItem(dialog, id);
  SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
  for (char c : text) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 0);
}

// Waits for the message box a dialog shows, returns its text and presses its OK button.
inline std::string AnswerMessageBox(const char* caption) {
  HWND box = WaitForWindow("#32770", caption, DialogDriver::kPatienceMs);
  if (!box) return "<no message box>";
  std::string text = MessageBoxText(box);
  PressButton(box, IDOK);
  for (int i = 0; i < 100 && IsWindow(box); ++i) Sleep(20);
  return text;
}

}  // namespace marvella::test
