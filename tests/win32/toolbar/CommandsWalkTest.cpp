// The toolbar's commands walked in a browser window of this test program, with the menus
// and pages of the reference service: the search box's keys, the engines, the Mi Marvella
// menu as the service's hidden fields change, a user menu, and the tools menu down to the
// uninstall.
#include "tests/win32/support/HttpGet.h"
#include "tests/win32/support/Screenshot.h"
#include "tests/win32/support/WindowDriver.h"
#include "tests/win32/toolbar/BandHarness.h"
#include "toolbar/CommandTexts.h"
#include "toolbar/win32/Registration.h"
#include "toolbar/win32/ServerState.h"
#include "toolbar/win32/ServerTexts.h"

#include <gtest/gtest.h>

#include <atomic>
#include <utility>
#include <string>
#include <thread>
#include <vector>

using namespace marvella;
using namespace marvella::test;
using Lines = std::vector<std::string>;

namespace {

const std::string kBase = std::getenv("MARVELLA_DEVSERVICE_URL") ? std::getenv("MARVELLA_DEVSERVICE_URL") : "";

// Keys through the system's input queue, then the browser's message loop until an F24
// sent after them has come through; the keys that reached the loop (the toolbar's hook
// swallows its own), as "d8" (down, Backspace) or "u13".
std::string Keys(std::initializer_list<int> keys) {
  for (int k : keys) {
    BYTE key = BYTE(k < 0 ? -k : k);
    keybd_event(key, BYTE(MapVirtualKeyA(key, 0)), k < 0 ? KEYEVENTF_KEYUP : 0, 0);
  }
  keybd_event(VK_F24, 0, 0, 0);
  keybd_event(VK_F24, 0, KEYEVENTF_KEYUP, 0);
  std::string seen;
  bool sentinel = false;
  for (int i = 0; i < 6000 && !sentinel; ++i) {
    MSG msg;
    while (!sentinel && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      bool key = msg.message == WM_KEYDOWN || msg.message == WM_KEYUP;
      sentinel = key && msg.wParam == VK_F24 && msg.message == WM_KEYUP;
      if (key && msg.wParam != VK_F24)
        seen += (msg.message == WM_KEYDOWN ? "d" : "u") + std::to_string(msg.wParam) + " ";
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (!sentinel) Sleep(10);
  }
  return sentinel ? seen : "<keys lost>";
}

HWND OpenPopup() {
  for (HWND w = FindWindowExA(nullptr, nullptr, "#32768", nullptr); w;
       w = FindWindowExA(nullptr, w, "#32768", nullptr)) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == GetCurrentProcessId() && IsWindowVisible(w)) return w;
  }
  return nullptr;
}

// Posts a click (or, arrow: a press on the drop-down arrow, which opens the menu at once)
// on button `index`; from a second thread reads the popup's lines ("-": separator), takes
// its picture and chooses `choose` with the keyboard (a line it lacks: Escape).
Lines ChooseIn(HWND toolbar, int index, bool arrow, const char* choose, const char* shot = nullptr) {
  Lines lines;
  std::atomic<bool> done{false};
  std::thread chooser([&] {
    HWND menu = nullptr;
    for (int i = 0; i < 6000 && !(menu = OpenPopup()); ++i) Sleep(10);
    HMENU items = menu ? reinterpret_cast<HMENU>(SendMessageA(menu, MN_GETHMENU, 0, 0)) : nullptr;
    int downs = 0;
    bool found = false;
    for (int i = 0; i < GetMenuItemCount(items); ++i) {
      char text[256] = "";
      GetMenuStringA(items, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
      bool separator = (GetMenuState(items, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR) != 0;
      lines.push_back(separator ? "-" : text);
      if (!separator && !found) found = (++downs, lines.back() == choose);
    }
    if (menu && shot) SaveWindowScreenshot(menu, shot);
    for (int i = 0; found && i < downs; ++i) PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    if (menu) PostMessageA(menu, WM_KEYDOWN, found ? VK_RETURN : VK_ESCAPE, 0);
    done = true;
  });
  RECT r;
  SendMessageA(toolbar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
  if (arrow)
    PostMessageA(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right - 4, r.bottom / 2));
  else
    Click(toolbar, index);
  PumpUntil([&] { return done.load() && !OpenPopup(); });
  chooser.join();
  Pump();
  return lines;
}

std::string Last(Frame& f) {
  auto all = Navigations(f.browser);
  return all.empty() ? "<none>" : all.back();
}

// The lines of the menu of button `index` once they are `expected`: each stored page is
// read again in the background, and the menu shows the last read. The menu is opened and
// closed until it shows them, a minute at most; the lines last seen otherwise.
Lines LinesOnceShown(HWND toolbar, int index, const Lines& expected) {
  Lines lines;
  for (DWORD start = GetTickCount(); GetTickCount() - start < 60000;) {
    lines = ChooseIn(toolbar, index, true, "\x01");  // no such line: closed unchosen
    if (lines == expected) break;
    Sleep(20);
  }
  return lines;
}

// From a second thread: waits for a window of this process with this title (null: any
// dialog), takes its picture, keeps "title: text" and presses `button`.
std::thread Answer(const char* title, int button, std::string* seen, const char* shot) {
  return std::thread([=] {
    HWND box = title ? WaitForWindow("#32770", title, 60000)
                     : WaitForProcessDialog(GetCurrentProcessId(), nullptr, 60000);
    if (!box) return;
    *seen = WindowText(box) + ": " + MessageBoxText(box);
    SaveWindowScreenshot(box, shot);
    PressButton(box, button);
  });
}

// The browser closing a window from its own loop (here: a message that a box's loop
// dispatches): the band is unsited and released, and the count of live objects noted.
TandemBand* g_closing = nullptr;
std::atomic<long> g_objectsAfterClose{-1};
LRESULT CALLBACK CloserProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message != WM_APP) return DefWindowProcA(window, message, wparam, lparam);
  Unsite(g_closing);
  g_objectsAfterClose = ObjectCount();
  return 0;
}

bool Registered() {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, "CLSID\\" TANDEM_CLSID_TEXT, 0, KEY_READ, &key)) return false;
  RegCloseKey(key);
  return true;
}

}  // namespace

TEST(ToolbarCommands, SearchBoxKeysEnginesAndMenusWithTheService) {
  ASSERT_FALSE(kBase.empty());
  OleInitialize(nullptr);
  HttpGet(kBase + "/admin/set?lastversion=1.01&tokens=7&pagpers=" + kBase + "/usuarios/ana/");
  Services s("commands-search");
  Frame f = MakeFrame("Marvella - órdenes");
  TandemBand* first = Sited(s, f);  // fetches the service's bookmarks file for the next one
  s.CompleteAndFetch(f);
  Unsite(first);
  TandemBand* band = Sited(s, f);
  // Mi Marvella and the three menus of the service's file, after its separator.
  ASSERT_EQ(5, SendMessageA(band->Menus().Toolbar(), TB_BUTTONCOUNT, 0, 0));
  HWND edit = band->Search().Edit();
  HWND button = band->Search().Toolbar();
  SetForegroundWindow(f.frame);

  // Backspace edits the box and never reaches the browser.
  SetWindowTextA(edit, "año x&yz");
  SetFocus(edit);
  SendMessageA(edit, EM_SETSEL, 8, 8);
  EXPECT_EQ("", Keys({VK_BACK, -VK_BACK}));
  EXPECT_EQ("año x&y", WindowText(edit));
  // Enter held down: shown pressed, repeats ignored, one search with the first engine at
  // the release; the box is emptied.
  std::size_t before = Navigations(f.browser).size();
  EXPECT_EQ("", Keys({VK_RETURN, VK_RETURN, VK_RETURN, VK_RETURN}));
  EXPECT_NE(0, SendMessageA(button, TB_ISBUTTONPRESSED, 0, 0));
  EXPECT_EQ(before, Navigations(f.browser).size());
  SaveWindowScreenshot(f.frame, "commands-enter-held");
  EXPECT_EQ("", Keys({-VK_RETURN}));
  EXPECT_EQ(0, SendMessageA(button, TB_ISBUTTONPRESSED, 0, 0));
  EXPECT_EQ(before + 1, Navigations(f.browser).size());
  EXPECT_EQ(kBase + "/buscar?Inicio=1&Query=a%F1o%20x%26y", Last(f));
  EXPECT_EQ("", WindowText(edit));
  // With the focus elsewhere the browser gets both keys.
  SetFocus(FindWindowExA(f.rebar, nullptr, "Edit", nullptr));
  EXPECT_EQ("d8 u8 d13 u13 ", Keys({VK_BACK, -VK_BACK, VK_RETURN, -VK_RETURN}));
  EXPECT_EQ(before + 1, Navigations(f.browser).size());

  // The engines' popup searches once with the chosen engine.
  SetWindowTextA(edit, "casa");
  EXPECT_EQ((Lines{"Marvella", "-", "Lengua Española", "Español/Inglés", "Inglés/Español"}),
            ChooseIn(button, 0, true, "Lengua Española", "commands-engines"));
  EXPECT_EQ(before + 2, Navigations(f.browser).size());
  EXPECT_EQ(kBase + "/diccionario/lengua?accion=e&Entrada=casa", Last(f));

  // Mi Marvella with the service's 7 tokens and personal page, then 0 tokens, then a page
  // without either field; its button opens Target.
  HWND menus = band->Menus().Toolbar();
  s.CompleteAndFetch(f);
  Lines expected = {"Mi página personal", "Carpeta personal", "Tienes 7 tokens", "Agenda",
                    "Personalizaciones"};
  EXPECT_EQ(expected, LinesOnceShown(menus, 1, expected));
  EXPECT_EQ(expected, ChooseIn(menus, 1, true, "Mi página personal", "commands-mi-marvella"));
  EXPECT_EQ(kBase + "/usuarios/ana/", Last(f));
  HttpGet(kBase + "/admin/set?tokens=0");
  s.CompleteAndFetch(f);
  expected[2] = "Tienes 0 tokens";
  EXPECT_EQ(expected, LinesOnceShown(menus, 1, expected));
  EXPECT_EQ(expected, ChooseIn(menus, 1, true, "Agenda"));
  EXPECT_EQ(kBase + "/login_tandem.htm?urlsalida=/agenda/", Last(f));
  // A page replaced from outside (another browser's fetch) shows from the next read.
  marvella::testing::WriteFileBytes(s.files.Directory() + "tandcfg.htm", "<HTML></HTML>");
  band->Menus().ReadAhead();
  Lines without = {"Carpeta personal", "Agenda", "Personalizaciones"};
  EXPECT_EQ(without, LinesOnceShown(menus, 1, without));
  EXPECT_EQ(without, ChooseIn(menus, 1, true, "Carpeta personal"));
  EXPECT_EQ(kBase + "/carpeta/", Last(f));
  EXPECT_EQ(kBase + "/mimarvella/", NavigationAfterClick(f, menus, 1));

  // "Comunidad", the second user menu: its third line.
  Lines comunidad = ChooseIn(menus, 3, false, "Chats", "commands-user-menu");
  EXPECT_EQ(6u, comunidad.size());
  EXPECT_EQ(kBase + "/comunidad/chats/", Last(f));
  Unsite(band);
  CloseFrame(f);
  OleUninitialize();
}

TEST(ToolbarCommands, ToolsMenuTellsAndUninstalls) {
  OleInitialize(nullptr);
  Services s("commands-tools");
  Frame other = MakeFrame("Marvella - otra ventana");
  Frame f = MakeFrame("Marvella - herramientas");
  TandemBand* older = Sited(s, other);
  TandemBand* band = Sited(s, f);
  HWND tools = band->Control(kToolsSlot).Toolbar();

  // The menu's lines and the about box: version, build texts and the shell's version.
  // ("Ocultar" and the show button are walked in the browser, tests/win32/browser/KitWalkTest.)
  SetShellVersion({5, 50});
  std::string about;
  std::thread answer = Answer(nullptr, IDOK, &about, "commands-about");
  EXPECT_EQ((Lines{ID_REFRESH_TEXT, ID_HIDE_TEXT, ID_UNINSTALL_TEXT, ID_ABOUT_TEXT, ID_HELP_TEXT}),
            ChooseIn(tools, 0, false, ID_ABOUT_TEXT, "commands-tools-menu"));
  answer.join();
  EXPECT_EQ("Acerca de Tandem: Tandem Marvella versión 1.01\nCompilado el Jan  3 2001 a las "
            "12:15:26\nVersión del explorador: 5.50\n\n© Marvella. Todos los derechos reservados.",
            about);

  // A third window is closed while its about box is up: its band lives until the box has
  // returned into it, and goes then.
  Frame third = MakeFrame("Marvella - se cierra");
  g_closing = Sited(s, third);
  WNDCLASSA closerClass = {};
  closerClass.lpfnWndProc = CloserProc;
  closerClass.hInstance = GetModuleHandleA(nullptr);
  closerClass.lpszClassName = "MarvellaTestCloser";
  RegisterClassA(&closerClass);
  HWND closer = CreateWindowExA(0, "MarvellaTestCloser", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  long objects = ObjectCount();
  std::thread closeDuringBox([&] {
    HWND box = WaitForProcessDialog(GetCurrentProcessId(), nullptr, 60000);
    PostMessageA(closer, WM_APP, 0, 0);
    for (int i = 0; i < 6000 && g_objectsAfterClose < 0; ++i) Sleep(10);
    if (box) PressButton(box, IDOK);
  });
  ChooseIn(g_closing->Control(kToolsSlot).Toolbar(), 0, false, ID_ABOUT_TEXT);
  closeDuringBox.join();
  EXPECT_EQ(objects, g_objectsAfterClose.load());
  EXPECT_EQ(objects - 1, ObjectCount());
  DestroyWindow(closer);
  CloseFrame(third);

  // "Desinstalar": "Cancelar" changes nothing; "Desinstalar" takes down every toolbar of
  // the process and the registration, and says so.
  HANDLE lock = CreateMutexA(nullptr, FALSE, "marvella-toolbar-registration");
  WaitForSingleObject(lock, INFINITE);
  std::string seen;
  answer = Answer(nullptr, IDOK, &seen, "commands-installed");
  RegisterServer();
  answer.join();
  // "Desinstalar" answered with `button`, and the notice that follows (if `notice` names its
  // screenshot) with "Aceptar". The dialog comes from a posted message, once the menu's
  // command has returned.
  std::string confirmed;
  auto uninstall = [&](int button, const char* notice) {
    std::thread asked = Answer(CONFIRM_UNINSTALL_TITLE, button, &confirmed, "commands-uninstall");
    std::thread told;
    if (notice) told = Answer("Tandem Marvella", IDOK, &seen, notice);
    ChooseIn(tools, 0, false, ID_UNINSTALL_TEXT);
    Pump();
    asked.join();
    if (told.joinable()) told.join();
  };
  uninstall(IDC_KEEP, nullptr);
  EXPECT_TRUE(band->Window() && Registered());
  // The registry refuses the removal: the user is told, and every toolbar stays.
  ASSERT_TRUE(marvella::testing::BlockClassKeyRemoval());
  uninstall(IDC_UNINSTALL, "commands-uninstall-refused");
  EXPECT_EQ(std::string("Tandem Marvella: ") + IDS_UNINSTALL_FAILED_TEXT, seen);
  EXPECT_TRUE(band->Window() && older->Window());
  marvella::testing::UnblockClassKeyRemoval();
  uninstall(IDC_UNINSTALL, "commands-uninstalled-message");
  EXPECT_EQ(std::string("Tandem Marvella: ") + IDS_UNINSTALLED_TEXT, seen);
  EXPECT_FALSE(band->Window() || older->Window() || Registered());
  // Both left the live list: sited again, neither builds a bar.
  for (auto [gone, frame] : {std::pair{band, &f}, std::pair{older, &other}}) {
    gone->SetSite(static_cast<IUnknown*>(BrowserSite(frame->browser)));
    Pump();
    EXPECT_FALSE(gone->Window());
  }
  ReleaseMutex(lock);
  CloseHandle(lock);
  Unsite(band);
  Unsite(older);
  CloseFrame(f);
  CloseFrame(other);
  OleUninitialize();
}
