// The toolbar's commands walked in a browser window of this test program, with the menus
// and pages of the reference service: the search box's keys (held Enter, Backspace, keys
// meant for the browser), the engines' popup, the Mi Marvella menu as the service's hidden
// fields change, a user menu, and the tools menu down to the uninstall.
#include "tests/win32/support/Screenshot.h"
#include "tests/win32/support/WindowDriver.h"
#include "tests/win32/toolbar/BandHarness.h"
#include "toolbar/CommandTexts.h"
#include "toolbar/win32/Registration.h"
#include "toolbar/win32/ServerState.h"
#include "toolbar/win32/ServerTexts.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

using namespace marvella;
using namespace marvella::test;

namespace {

const std::string kBase = std::getenv("MARVELLA_DEVSERVICE_URL") ? std::getenv("MARVELLA_DEVSERVICE_URL") : "";

// A browser's message loop: the key messages that get through to it are recorded (what a
// thread hook swallows never does), then translated and dispatched.
struct KeyLoop {
  std::vector<std::pair<UINT, WPARAM>> keys;

  // Presses (down) or releases a key through the system's input queue, as a user does.
  static void Key(BYTE key, bool up) {
    keybd_event(key, BYTE(MapVirtualKeyA(key, 0)), up ? KEYEVENTF_KEYUP : 0, 0);
  }
  // Runs messages until an F24 keystroke sent after the keys has come through: by then
  // every key before it has been read, through the hook.
  bool Drain() {
    Key(VK_F24, false);
    Key(VK_F24, true);
    bool seen = false;
    for (int i = 0; i < 6000 && !seen; ++i) {
      MSG msg;
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        bool key = msg.message == WM_KEYDOWN || msg.message == WM_KEYUP;
        if (key && msg.wParam == VK_F24) {
          seen = seen || msg.message == WM_KEYUP;
          continue;
        }
        if (key) keys.push_back({msg.message, msg.wParam});
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
      if (!seen) Sleep(10);
    }
    return seen;
  }
  bool Saw(UINT message, WPARAM key) const {
    for (const auto& k : keys)
      if (k.first == message && k.second == key) return true;
    return false;
  }
};

HWND VisiblePopupOfThisProcess() {
  for (HWND w = FindWindowExA(nullptr, nullptr, "#32768", nullptr); w;
       w = FindWindowExA(nullptr, w, "#32768", nullptr)) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == GetCurrentProcessId() && IsWindowVisible(w)) return w;
  }
  return nullptr;
}

// Opens a popup menu with open(), and from a thread of its own reads its lines ("-" for a
// separator), saves a picture of it and chooses the line `choose` with the keyboard (null
// or a line it lacks: Escape). Runs messages until the menu has gone; returns the lines.
std::vector<std::string> ChooseIn(const std::function<void()>& open, const char* choose,
                                  const char* screenshot) {
  std::vector<std::string> lines;
  std::atomic<bool> done{false};
  std::thread chooser([&] {
    HWND menu = nullptr;
    for (int i = 0; i < 6000 && !menu; ++i) {
      menu = VisiblePopupOfThisProcess();
      if (!menu) Sleep(10);
    }
    if (menu) {
      HMENU items = reinterpret_cast<HMENU>(SendMessageA(menu, MN_GETHMENU, 0, 0));
      int downs = 0;
      bool found = false;
      for (int i = 0; i < GetMenuItemCount(items); ++i) {
        char text[256] = "";
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_TYPE;
        info.dwTypeData = text;
        info.cch = sizeof text;
        GetMenuItemInfoA(items, static_cast<UINT>(i), TRUE, &info);
        bool separator = (info.fType & MFT_SEPARATOR) != 0;
        lines.push_back(separator ? "-" : text);
        if (!separator && !found) {
          ++downs;
          found = choose && lines.back() == choose;
        }
      }
      if (screenshot) SaveWindowScreenshot(menu, screenshot);
      for (int i = 0; found && i < downs; ++i) PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
      PostMessageA(menu, WM_KEYDOWN, found ? VK_RETURN : VK_ESCAPE, 0);
    }
    done = true;
  });
  open();
  PumpUntil([&] { return done.load() && !VisiblePopupOfThisProcess(); });
  chooser.join();
  Pump();
  return lines;
}

// Presses the drop-down arrow of button `index`: the toolbar asks for the menu at once.
void PressArrow(HWND toolbar, int index) {
  RECT r;
  SendMessageA(toolbar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
  PostMessageA(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right - 4, (r.top + r.bottom) / 2));
}

std::string LastNavigation(Frame& f) {
  auto all = Navigations(f.browser);
  return all.empty() ? "<none>" : all.back();
}

// Completes a document and waits for what it fetched (pages, bookmarks file).
void CompleteAndFetch(Frame& f) {
  CompleteDocument(f.browser, L"http://127.0.0.1/");
  PumpUntil([] { return ProcessDownloadQueue().IsIdle(); });
}

std::vector<std::string> MiMarvellaMenu(TandemBand& band, const char* choose, const char* shot) {
  return ChooseIn([&] { PressArrow(band.Menus().Toolbar(), 1); }, choose, shot);
}

// Answers the next message box of this process from a thread; its "caption: text".
std::thread AnswerBox(std::string* seen, const char* screenshot) {
  return std::thread([seen, screenshot] {
    HWND box = WaitForProcessDialog(GetCurrentProcessId(), nullptr, 60000);
    if (!box) return;
    *seen = WindowText(box) + ": " + MessageBoxText(box);
    SaveWindowScreenshot(box, screenshot);
    PressButton(box, IDOK);
  });
}

bool KeyPresent(HKEY root, const std::string& key) {
  HKEY h;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
  RegCloseKey(h);
  return true;
}

const std::string kClassKey = std::string("CLSID\\") + TANDEM_CLSID_TEXT;
const std::string kHelperKey =
    std::string("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects\\") +
    TANDEM_CLSID_TEXT;

}  // namespace

TEST(ToolbarCommands, SearchBoxKeysEnginesAndMenusWithTheService) {
  ASSERT_FALSE(kBase.empty());
  OleInitialize(nullptr);
  Get(kBase + "/admin/set?lastversion=1.01&tokens=7&pagpers=" + kBase + "/usuarios/ana/");
  Services s("commands-search");
  Frame f = MakeFrame("Marvella - órdenes");
  // The first toolbar fetches the service's bookmarks file; the next one reads it.
  TandemBand* first = Sited(s, f);
  CompleteAndFetch(f);
  Unsite(first);
  TandemBand* band = Sited(s, f);
  ASSERT_NE(nullptr, band->Window());
  ASSERT_EQ(3u, band->Menus().Bookmarks().MenuCount());
  HWND edit = band->Search().Edit();
  HWND button = band->Search().Toolbar();
  HWND address = FindWindowExA(f.rebar, nullptr, "Edit", nullptr);
  KeyLoop loop;
  SetForegroundWindow(f.frame);

  // Backspace edits the box and never reaches the browser.
  SetWindowTextA(edit, "año x&yz");
  SetFocus(edit);
  SendMessageA(edit, EM_SETSEL, 8, 8);
  KeyLoop::Key(VK_BACK, false);
  KeyLoop::Key(VK_BACK, true);
  ASSERT_TRUE(loop.Drain());
  EXPECT_EQ("año x&y", WindowText(edit));
  EXPECT_FALSE(loop.Saw(WM_KEYDOWN, VK_BACK));

  // Enter held down: the button shows pressed, the repeats do nothing, the release searches
  // once with the first engine.
  std::size_t before = Navigations(f.browser).size();
  for (int i = 0; i < 4; ++i) KeyLoop::Key(VK_RETURN, false);
  ASSERT_TRUE(loop.Drain());
  EXPECT_NE(0, SendMessageA(button, TB_ISBUTTONPRESSED, 0, 0));
  EXPECT_EQ(before, Navigations(f.browser).size());
  UpdateWindow(f.frame);
  SaveWindowScreenshot(f.frame, "commands-enter-held");
  KeyLoop::Key(VK_RETURN, true);
  ASSERT_TRUE(loop.Drain());
  EXPECT_EQ(0, SendMessageA(button, TB_ISBUTTONPRESSED, 0, 0));
  ASSERT_EQ(before + 1, Navigations(f.browser).size());
  EXPECT_EQ(kBase + "/buscar?Inicio=1&Query=a%F1o%20x%26y", LastNavigation(f));
  EXPECT_EQ("", WindowText(edit));
  EXPECT_FALSE(loop.Saw(WM_KEYDOWN, VK_RETURN));
  EXPECT_FALSE(loop.Saw(WM_KEYUP, VK_RETURN));

  // With the focus elsewhere the browser gets both keys; an empty box searches nothing.
  SetFocus(address);
  KeyLoop::Key(VK_BACK, false);
  KeyLoop::Key(VK_BACK, true);
  KeyLoop::Key(VK_RETURN, false);
  KeyLoop::Key(VK_RETURN, true);
  ASSERT_TRUE(loop.Drain());
  EXPECT_TRUE(loop.Saw(WM_KEYDOWN, VK_BACK));
  EXPECT_TRUE(loop.Saw(WM_KEYDOWN, VK_RETURN));
  EXPECT_TRUE(loop.Saw(WM_KEYUP, VK_RETURN));
  EXPECT_EQ(before + 1, Navigations(f.browser).size());

  // The engines' popup searches once with the chosen engine; "Buscar" stays with the first.
  SetWindowTextA(edit, "casa");
  std::vector<std::string> engines = ChooseIn([&] { PressArrow(button, 0); }, "Lengua Española",
                                              "commands-engines");
  EXPECT_EQ((std::vector<std::string>{"Marvella", "-", "Lengua Española", "Español/Inglés",
                                      "Inglés/Español"}),
            engines);
  EXPECT_EQ(before + 2, Navigations(f.browser).size());
  EXPECT_EQ(kBase + "/diccionario/lengua?accion=e&Entrada=casa", LastNavigation(f));
  SetWindowTextA(edit, "perro");
  EXPECT_EQ(kBase + "/buscar?Inicio=1&Query=perro", NavigationAfterClick(f, button, 0));

  // Mi Marvella with the service's fields: 7 tokens and a personal page.
  CompleteAndFetch(f);
  std::vector<std::string> expected = {"Mi página personal", "Carpeta personal",
                                       "Tienes 7 tokens", "Agenda", "Personalizaciones"};
  EXPECT_EQ(expected, MiMarvellaMenu(*band, "Mi página personal", "commands-mi-marvella"));
  EXPECT_EQ(kBase + "/usuarios/ana/", LastNavigation(f));
  // 0 tokens still shows the line.
  Get(kBase + "/admin/set?tokens=0");
  CompleteAndFetch(f);
  expected[2] = "Tienes 0 tokens";
  EXPECT_EQ(expected, MiMarvellaMenu(*band, "Agenda", nullptr));
  EXPECT_EQ(kBase + "/login_tandem.htm?urlsalida=/agenda/", LastNavigation(f));
  // A page without either field: neither line.
  marvella::testing::WriteFileBytes(s.files.Directory() + "tandcfg.htm",
                                    "<HTML><BODY>sin campos</BODY></HTML>");
  EXPECT_EQ((std::vector<std::string>{"Carpeta personal", "Agenda", "Personalizaciones"}),
            MiMarvellaMenu(*band, "Carpeta personal", nullptr));
  EXPECT_EQ(kBase + "/carpeta/", LastNavigation(f));
  // The button itself opens Target.
  EXPECT_EQ(kBase + "/mimarvella/", NavigationAfterClick(f, band->Menus().Toolbar(), 1));

  // A user menu: "Comunidad" (the second), its third line.
  std::vector<std::string> comunidad = ChooseIn(
      [&] { Click(band->Menus().Toolbar(), 3); }, "Chats", "commands-user-menu");
  ASSERT_EQ(6u, comunidad.size());
  EXPECT_EQ("Chats", comunidad[2]);
  EXPECT_EQ(kBase + "/comunidad/chats/", LastNavigation(f));

  Unsite(band);
  CloseFrame(f);
  OleUninitialize();
}

TEST(ToolbarCommands, ToolsMenuHidesRefreshesHelpsTellsAndUninstalls) {
  ASSERT_FALSE(kBase.empty());
  OleInitialize(nullptr);
  Services s("commands-tools");
  Frame f = MakeFrame("Marvella - herramientas");
  Frame other = MakeFrame("Marvella - otra ventana");
  TandemBand* older = Sited(s, other);
  TandemBand* band = Sited(s, f);
  HWND tools = band->Control(kToolsSlot).Toolbar();
  auto Choose = [&](const char* line, const char* shot) {
    return ChooseIn([&] { Click(tools, 0); }, line, shot);
  };

  // "Ocultar" collapses and stores "Hide"; the show button brings it back.
  EXPECT_EQ((std::vector<std::string>{ID_REFRESH_TEXT, ID_HIDE_TEXT, ID_UNINSTALL_TEXT,
                                      ID_ABOUT_TEXT, ID_HELP_TEXT}),
            Choose(ID_HIDE_TEXT, "commands-tools-menu"));
  EXPECT_TRUE(band->Layout().collapsed);
  EXPECT_EQ("1", s.settings.values["Hide"]);
  EXPECT_FALSE(Visible(tools));
  Click(band->Control(kShowSlot).Toolbar(), 0);
  EXPECT_TRUE(PumpUntil([&] { return Visible(tools); }));
  EXPECT_EQ("0", s.settings.values["Hide"]);

  // "Refrescar" fetches the configuration page again; "Ayuda" opens the help page.
  DeleteFileA((s.files.Directory() + "tandcfg.htm").c_str());
  Choose(ID_REFRESH_TEXT, nullptr);
  EXPECT_TRUE(PumpUntil([&] {
    return GetFileAttributesA((s.files.Directory() + "tandcfg.htm").c_str()) !=
           INVALID_FILE_ATTRIBUTES;
  }));
  InternalSettings internal;
  s.tables.CopyInternalSettings(&internal);
  Choose(ID_HELP_TEXT, nullptr);
  EXPECT_EQ(internal.help, LastNavigation(f));

  // The about box: version, build texts and the shell's version.
  SetShellVersion({5, 50});
  std::string about;
  std::thread answer = AnswerBox(&about, "commands-about");
  Choose(ID_ABOUT_TEXT, nullptr);
  answer.join();
  EXPECT_EQ(std::string(ABOUT_CAPTION) + ": Tandem Marvella versión 1.01\nCompilado el Jan  3 2001 "
                                         "a las 12:15:26\nVersión del explorador: 5.50\n\n© "
                                         "Marvella. Todos los derechos reservados.",
            about);

  // "Desinstalar": "Cancelar" changes nothing; "Desinstalar" takes down every toolbar of
  // the process and the registration.
  HANDLE lock = CreateMutexA(nullptr, FALSE, "marvella-toolbar-registration");
  WaitForSingleObject(lock, INFINITE);
  std::string installed;
  std::thread registered = AnswerBox(&installed, "commands-installed");
  RegisterServer();
  registered.join();
  ASSERT_TRUE(KeyPresent(HKEY_CLASSES_ROOT, kClassKey));
  std::size_t live = LiveToolbarCount();
  std::thread cancel([] {
    HWND dialog = WaitForWindow("#32770", CONFIRM_UNINSTALL_TITLE, 60000);
    if (dialog) PressButton(dialog, IDC_KEEP);
  });
  Choose(ID_UNINSTALL_TEXT, nullptr);
  cancel.join();
  EXPECT_NE(nullptr, band->Window());
  EXPECT_EQ(live, LiveToolbarCount());
  EXPECT_TRUE(KeyPresent(HKEY_CLASSES_ROOT, kClassKey));
  EXPECT_TRUE(KeyPresent(HKEY_LOCAL_MACHINE, kHelperKey));

  std::string uninstalled;
  std::thread confirm([&uninstalled] {
    HWND dialog = WaitForWindow("#32770", CONFIRM_UNINSTALL_TITLE, 60000);
    if (!dialog) return;
    SaveWindowScreenshot(dialog, "commands-uninstall");
    PressButton(dialog, IDC_UNINSTALL);
    AnswerBox(&uninstalled, "commands-uninstalled-message").join();
  });
  Choose(ID_UNINSTALL_TEXT, nullptr);
  confirm.join();
  EXPECT_EQ(std::string("Tandem Marvella: ") + IDS_UNINSTALLED_TEXT, uninstalled);
  EXPECT_EQ(nullptr, band->Window());
  EXPECT_EQ(nullptr, older->Window());
  EXPECT_EQ(live - 2, LiveToolbarCount());
  EXPECT_FALSE(KeyPresent(HKEY_CLASSES_ROOT, kClassKey));
  EXPECT_FALSE(KeyPresent(HKEY_LOCAL_MACHINE, kHelperKey));
  ReleaseMutex(lock);
  CloseHandle(lock);
  UpdateWindow(f.frame);
  SaveWindowScreenshot(f.frame, "commands-uninstalled");

  Unsite(band);
  Unsite(older);
  CloseFrame(f);
  CloseFrame(other);
  OleUninitialize();
}
