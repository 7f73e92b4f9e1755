// The mail button changed from the polling thread while the window's own thread is blocked
// (as it is when it destroys the checker and waits for that thread): the change must not
// wait for the window's thread, and shows once that thread runs its messages again.
#include "tests/win32/support/Screenshot.h"
#include "toolbar/win32/MailButtonView.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

using marvella::MailButtonView;

namespace {

HBITMAP TwoImages() {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 36, 18);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT none = {0, 0, 18, 18}, some = {18, 0, 36, 18};
  HBRUSH grey = CreateSolidBrush(RGB(160, 160, 160));
  HBRUSH red = CreateSolidBrush(RGB(220, 0, 0));
  FillRect(dc, &none, grey);
  FillRect(dc, &some, red);
  DeleteObject(grey);
  DeleteObject(red);
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return bitmap;
}

DWORD WINAPI FromPollingThread(LPVOID view) {
  static_cast<MailButtonView*>(view)->ShowMailImage(1);
  return 0;
}

int Image(HWND toolbar) { return static_cast<int>(SendMessageA(toolbar, TB_GETBITMAP, 1, 0)); }

}  // namespace

TEST(MailButtonView, ChangesFromAnotherThreadNeverWaitForTheWindow) {
  InitCommonControls();
  HWND parent = CreateWindowA("STATIC", "Correo", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 200, 80,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(nullptr, parent);
  HWND toolbar = CreateWindowExA(0, TOOLBARCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT, 0,
                                 0, 200, 30, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(nullptr, toolbar);
  SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageA(toolbar, TB_SETBITMAPSIZE, 0, MAKELPARAM(18, 18));
  TBADDBITMAP images = {nullptr, reinterpret_cast<UINT_PTR>(TwoImages())};
  SendMessageA(toolbar, TB_ADDBITMAP, 2, reinterpret_cast<LPARAM>(&images));
  TBBUTTON buttons[2] = {};
  buttons[0].fsStyle = TBSTYLE_SEP;
  buttons[1].iBitmap = 0;
  buttons[1].idCommand = 1;
  buttons[1].fsState = TBSTATE_ENABLED;
  SendMessageA(toolbar, TB_ADDBUTTONSA, 2, reinterpret_cast<LPARAM>(buttons));
  ASSERT_EQ(0, Image(toolbar));

  MailButtonView view(toolbar);
  HANDLE thread = CreateThread(nullptr, 0, FromPollingThread, &view, 0, nullptr);
  ASSERT_NE(nullptr, thread);
  // Blocked without pumping messages, as a destructor joining the thread is.
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 20000));
  CloseHandle(thread);
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  EXPECT_EQ(1, Image(toolbar));
  UpdateWindow(parent);
  marvella::test::SaveWindowScreenshot(parent, "toolbar-mail-new");

  view.ShowMailImage(0);  // on the window's own thread: at once
  EXPECT_EQ(0, Image(toolbar));
  DestroyWindow(parent);
}
