// The kit's acceptance walk, from outside the browser: tandem.dll registered, the portal of
// the reference service open in two windows on two threads, a search typed in the box, the
// bar hidden and shown from the tools menu, then uninstalled from it in one window: the
// other window's bar goes too, the next window has no bar, the registry keeps nothing of
// the library, both old windows close and the library leaves the browser.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/win32/browser/ToolbarInBrowser.h"
#include "tests/win32/support/Screenshot.h"
#include "tests/win32/support/WindowDriver.h"
#include "toolbar/CommandTexts.h"
#include "toolbar/win32/ServerTexts.h"

namespace {

using namespace marvella::test;

std::string Last(const std::vector<std::string>& lines) { return lines.empty() ? "" : lines.back(); }

enum Visible { kBanner, kHome, kTools, kSearch, kMail, kMenus, kExpanded };

HWND PopupOf(DWORD process) {
  for (HWND w = FindWindowExA(nullptr, nullptr, "#32768", nullptr); w;
       w = FindWindowExA(nullptr, w, "#32768", nullptr)) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == process && IsWindowVisible(w)) return w;
  }
  return nullptr;
}

// Opens the tools menu with a click and chooses the line at `line` (from 0) with the
// keyboard, as a user would; the menu's picture is kept once.
bool ChooseTool(DWORD process, HWND tools, int line, const char* shot = nullptr) {
  ClickAt(tools, 0);
  HWND menu = nullptr;
  if (!WaitUntil([&] { return (menu = PopupOf(process)) != nullptr; })) return false;
  if (shot) SaveWindowScreenshot(menu, shot);
  for (int i = 0; i <= line; ++i) PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
  return WaitUntil([&] { return !PopupOf(process); });
}

bool KeyExists(HKEY root, const std::string& path) {
  HKEY key;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

bool ValueExists(HKEY root, const char* path, const char* name) {
  HKEY key;
  if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  bool found = RegQueryValueExA(key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
  RegCloseKey(key);
  return found;
}

HWND SearchBox(HWND bar) {
  return bar ? FindWindowExA(bar, nullptr, "Edit", nullptr) : nullptr;
}

bool LoadsTandem(DWORD process) {
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, process);
  if (snap == INVALID_HANDLE_VALUE) return true;  // not known: as loaded
  MODULEENTRY32 module = {};
  module.dwSize = sizeof module;
  bool found = false;
  for (BOOL more = Module32First(snap, &module); more && !found; more = Module32Next(snap, &module))
    found = lstrcmpiA(module.szModule, "tandem.dll") == 0;
  CloseHandle(snap);
  return found;
}

}  // namespace

TEST(KitWalk, SearchHideShowAndUninstallFromTheToolsMenu) {
  const std::string home = ServiceUrl() + "/";
  for (const char* set : {"/admin/reset", "/admin/set?mail=0", "/admin/set?lastversion=1.01"})
    Service(set);
  SetSetting("Hide", nullptr);
  RegisteredToolbar toolbar;
  ASSERT_TRUE(toolbar.Registered());
  BrowserRun run("kit-walk", "open " + home + "\nwait-idle\nopen " + home + "\nwait-idle\n"
                             "window 1\nwait-file go1\n"
                             "focus Edit 0\ntype a b&c\nkey RETURN\nwait-idle\nwait-file go2\n"
                             "open " + home + "\nwait-idle\nclose-window 1\nclose-window 2\n"
                             "wait-file go3\nquit\n");
  ASSERT_TRUE(run.Started());
  std::string start = Last(run.WaitLines("start ", 1));
  DWORD browser = DWORD(std::atoi(start.c_str() + start.find("pid=") + 4));
  std::string open = Last(run.WaitLines("open 1 ", 1));
  HWND frame = HandleIn(open, "frame"), rebar = HandleIn(open, "rebar");
  run.WaitLines("ready 1 ", 1);
  ASSERT_TRUE(WaitUntil([&] { return FindToolbar(rebar).visible.size() == kExpanded; }));
  // The second window, on a thread of its own.
  std::string open2 = Last(run.WaitLines("open 2 ", 1));
  EXPECT_NE(open.substr(open.find("thread=")), open2.substr(open2.find("thread=")));
  HWND frame2 = HandleIn(open2, "frame"), rebar2 = HandleIn(open2, "rebar");
  run.WaitLines("ready 2 ", 1);
  ASSERT_TRUE(WaitUntil([&] { return FindToolbar(rebar2).visible.size() == kExpanded; }));
  HWND otherBar = FindToolbar(rebar2).bar;
  EXPECT_TRUE(LoadsTandem(browser));
  ToolbarWindows bar = FindToolbar(rebar);
  HWND tools = bar.visible[kTools];
  ASSERT_TRUE(SearchBox(bar.bar));
  SaveWindowScreenshot(frame, "kit-walk-portal");

  // The search typed in the box and Enter: one navigation of this window, query escaped;
  // the keys never reached the browser (no back, no address-bar navigation).
  size_t before = Matching(run.Journal(), "navigate 1 ").size();
  run.Go("go1");
  run.WaitLines("script wait-file", 2);
  std::vector<std::string> navigations = Matching(run.Journal(), "navigate 1 ");
  ASSERT_EQ(before + 1, navigations.size());
  const std::string search = "navigate 1 " + ServiceUrl() + "/";
  EXPECT_EQ(search, navigations.back().substr(0, search.size()));
  EXPECT_EQ("buscar?Inicio=1&Query=a%20b%26c", navigations.back().substr(navigations.back().rfind('/') + 1));
  EXPECT_TRUE(Matching(run.Journal(), "back 1").empty());
  EXPECT_EQ("", WindowText(SearchBox(bar.bar)));
  SaveWindowScreenshot(frame, "kit-walk-searched");

  // "Ocultar": the bar collapses to its show button and "Hide" says so; the button expands.
  ASSERT_TRUE(ChooseTool(browser, tools, 1, "kit-walk-tools-menu"));
  EXPECT_TRUE(WaitUntil([&] { return FindToolbar(rebar).visible.size() == 1; }));
  EXPECT_TRUE(WaitUntil([] { return Setting("Hide") == "1"; })) << Setting("Hide");
  SaveWindowScreenshot(frame, "kit-walk-hidden");
  ToolbarWindows collapsed = FindToolbar(rebar);
  ASSERT_EQ(1u, collapsed.visible.size());
  ClickAt(collapsed.visible[0], 0);
  EXPECT_TRUE(WaitUntil([&] { return FindToolbar(rebar).visible.size() == kExpanded; }));
  EXPECT_TRUE(WaitUntil([] { return Setting("Hide") == "0"; }));

  // "Desinstalar", confirmed in its dialog: the browser says it is done, the bars' windows
  // are gone from both open windows (the other window's thread took its own down) and the
  // registrations from the registry.
  ASSERT_TRUE(ChooseTool(browser, tools, 2));
  HWND confirm = WaitForProcessDialog(browser, nullptr, 60000);
  ASSERT_TRUE(confirm);
  EXPECT_EQ(CONFIRM_UNINSTALL_TITLE, WindowText(confirm));
  EXPECT_EQ(GetAncestor(bar.bar, GA_ROOT), GetAncestor(GetWindow(confirm, GW_OWNER), GA_ROOT));
  SaveWindowScreenshot(confirm, "kit-walk-uninstall-dialog");
  PressButton(confirm, IDC_UNINSTALL);
  HWND told = WaitForProcessDialog(browser, confirm, 60000);
  ASSERT_TRUE(told);
  EXPECT_EQ("Tandem Marvella", WindowText(told));
  EXPECT_EQ(IDS_UNINSTALLED_TEXT, MessageBoxText(told));
  PressButton(told, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(bar.bar) && !FindToolbar(rebar).bar; }));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(otherBar) && !FindToolbar(rebar2).bar; }));
  SaveWindowScreenshot(frame, "kit-walk-uninstalled");
  SaveWindowScreenshot(frame2, "kit-walk-uninstalled-other-window");
  const std::string clsid = TANDEM_CLSID_TEXT;
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "CLSID\\" + clsid));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE,
                         "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\"
                         "Browser Helper Objects\\" + clsid));
  EXPECT_FALSE(ValueExists(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Internet Explorer\\Toolbar",
                           clsid.c_str()));
  EXPECT_FALSE(ValueExists(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                           "Marvella"));
  EXPECT_EQ("0", Setting("Hide"));  // the user's settings stay

  // A new window of the same browser has no bar; the old ones still navigate and close,
  // and then nothing of the library is left running: it is unloaded.
  run.Go("go2");
  std::string ready = Last(run.WaitLines("ready 3 ", 1));
  EXPECT_NE(std::string::npos, ready.find("helpers=0")) << ready;
  EXPECT_FALSE(FindToolbar(HandleIn(Last(run.WaitLines("open 3 ", 1)), "rebar")).bar);
  run.WaitLines("closed 2 ", 1);
  EXPECT_TRUE(WaitUntil([&] { return !LoadsTandem(browser); }));
  run.Go("go3");
  EXPECT_EQ(0u, run.Finish());
  ExpectClosedCleanly(run.Journal(), 3);
  SetSetting("Hide", nullptr);
}
