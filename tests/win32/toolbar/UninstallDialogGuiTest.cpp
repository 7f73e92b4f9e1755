// The uninstall confirmation dialog as shipped in tandem.dll: its texts, icon, size and
// default button, and what each way of leaving it answers.
#include <gtest/gtest.h>

#include "tests/win32/signup/DialogDriver.h"
#include "tests/win32/support/Screenshot.h"
#include "tests/win32/toolbar/ToolbarWin32Support.h"
#include "toolbar/win32/ServerTexts.h"
#include "toolbar/win32/Uninstall.h"

#include <functional>
#include <string>
#include <vector>

using namespace marvella;
using namespace marvella::testing;
using marvella::test::DialogDriver;
using marvella::test::PressButton;
using marvella::test::SaveWindowScreenshot;
using marvella::test::WindowText;

namespace {

// The texts of the controls in order, the icon left out.
BOOL CALLBACK CollectText(HWND child, LPARAM texts) {
  char cls[16] = "";
  GetClassNameA(child, cls, sizeof cls);
  bool icon = lstrcmpiA(cls, "Static") == 0 &&
              (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
  if (!icon) reinterpret_cast<std::vector<std::string>*>(texts)->push_back(WindowText(child));
  return TRUE;
}

HWND FocusOf(HWND dialog) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
  return info.hwndFocus ? info.hwndFocus : dialog;
}

// What the dialog shows, checked once.
void CheckLooks(HWND dialog) {
  std::vector<std::string> texts;
  EnumChildWindows(dialog, CollectText, reinterpret_cast<LPARAM>(&texts));
  const std::vector<std::string> expected = {
      CONFIRM_UNINSTALL_LINE1, CONFIRM_UNINSTALL_LINE2, CONFIRM_UNINSTALL_LINE3,
      CONFIRM_UNINSTALL_LINE4, CONFIRM_UNINSTALL_NO,    CONFIRM_UNINSTALL_YES};
  EXPECT_EQ(expected, texts);
  EXPECT_EQ(CONFIRM_UNINSTALL_TITLE, WindowText(dialog));
  EXPECT_EQ(IDC_KEEP, LOWORD(SendMessageA(dialog, DM_GETDEFID, 0, 0)));
  EXPECT_EQ(IDC_KEEP, GetDlgCtrlID(FocusOf(dialog)));
  HWND icon = GetWindow(dialog, GW_CHILD);  // the first control
  EXPECT_NE(0, SendMessageA(icon, STM_GETICON, 0, 0));
  RECT units = {0, 0, 234, 125};
  MapDialogRect(dialog, &units);
  RECT client;
  GetClientRect(dialog, &client);
  EXPECT_EQ(units.right, client.right);
  EXPECT_EQ(units.bottom, client.bottom);
  SaveWindowScreenshot(dialog, "uninstall-confirmation");
}

}  // namespace

TEST(ToolbarUninstallDialog, OnlyItsFirstButtonAnswersUninstall) {
  HMODULE resources = LoadToolbarResources();
  ASSERT_NE(nullptr, resources);
  struct Way {
    const char* what;
    std::function<void(HWND)> leave;
    INT_PTR answer;
  };
  const Way ways[] = {
      {"Desinstalar", [](HWND d) { CheckLooks(d); PressButton(d, IDC_UNINSTALL); }, IDC_UNINSTALL},
      {"Cancelar", [](HWND d) { PressButton(d, IDC_KEEP); }, IDC_KEEP},
      {"close box", [](HWND d) { PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }, IDC_KEEP},
      // Enter, pressed where the focus is when the dialog opens, answers "Cancelar".
      {"Enter", [](HWND d) { PostMessageA(FocusOf(d), WM_KEYDOWN, VK_RETURN, 0); }, IDC_KEEP},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.what);
    DialogDriver driver(CONFIRM_UNINSTALL_TITLE, way.leave);
    EXPECT_EQ(way.answer, ConfirmUninstall(resources, nullptr));
    driver.Join();
  }
  FreeLibrary(resources);
}
