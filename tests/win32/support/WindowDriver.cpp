// Window finding and driving for GUI tests.
#include "tests/win32/support/WindowDriver.h"

#include <vector>

namespace marvella::test {
namespace {

struct Search {
  const char* className;
  const char* title;
  HWND found;
};

BOOL CALLBACK Match(HWND window, LPARAM param) {
  auto* s = reinterpret_cast<Search*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != GetCurrentProcessId() || !IsWindowVisible(window)) return TRUE;
  char cls[64];
  GetClassNameA(window, cls, sizeof cls);
  if (lstrcmpA(cls, s->className) != 0) return TRUE;
  if (s->title && WindowText(window) != s->title) return TRUE;
  s->found = window;
  return FALSE;
}

}  // namespace

HWND WaitForWindow(const char* className, const char* title, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  for (;;) {
    Search s{className, title, nullptr};
    EnumWindows(Match, reinterpret_cast<LPARAM>(&s));
    if (s.found) return s.found;
    if (GetTickCount() - start > timeoutMs) return nullptr;
    Sleep(20);
  }
}

std::string WindowText(HWND window) {
  int n = GetWindowTextLengthA(window);
  std::vector<char> buf(static_cast<size_t>(n) + 1);
  GetWindowTextA(window, buf.data(), n + 1);
  return std::string(buf.data());
}

std::string ControlText(HWND dialog, int controlId) {
  HWND c = GetDlgItem(dialog, controlId);
  return c ? WindowText(c) : std::string();
}

std::string MessageBoxText(HWND box) { return ControlText(box, 0xFFFF); }

void PressButton(HWND dialog, int controlId) {
  HWND b = GetDlgItem(dialog, controlId);
  if (b)
    SendMessageA(b, BM_CLICK, 0, 0);
  else
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(controlId, BN_CLICKED), 0);
}

namespace {
struct ProcessDialog {
  DWORD process;
  HWND except;
  HWND found;
};

BOOL CALLBACK FindProcessDialog(HWND window, LPARAM param) {
  auto* f = reinterpret_cast<ProcessDialog*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  char cls[16] = {};
  GetClassNameA(window, cls, sizeof cls);
  if (pid == f->process && window != f->except && IsWindowVisible(window) &&
      lstrcmpA(cls, "#32770") == 0) {
    f->found = window;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

HWND WaitForProcessDialog(DWORD processId, HWND except, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  for (;;) {
    ProcessDialog f{processId, except, nullptr};
    EnumWindows(FindProcessDialog, reinterpret_cast<LPARAM>(&f));
    if (f.found) return f.found;
    if (GetTickCount() - start >= timeoutMs) return nullptr;
    Sleep(20);
  }
}

}  // namespace marvella::test
