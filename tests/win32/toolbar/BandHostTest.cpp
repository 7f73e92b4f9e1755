// The toolbar in a browser window, hosted in this test program: a frame with a rebar
// deep inside it, a browser that records where it is sent, and the band object sited on
// it. Long walks: the band's place in the rebar and the filter, layout, tooltips, clicks,
// collapse and expand, the COM answers, the "Hide" value, the version offer, the service
// feeding banner and mail, and two windows on two threads.
#include "tests/win32/support/Screenshot.h"
#include "tests/win32/support/WindowDriver.h"
#include "tests/win32/toolbar/BandHarness.h"
#include "toolbar/BarTexts.h"
#include "toolbar/ToolbarTexts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

using namespace marvella;
using namespace marvella::test;

namespace {

LRESULT ClassProcedure(HWND rebar, UINT message, WPARAM wparam = 0, LPARAM lparam = 0) {
  return CallWindowProcA(reinterpret_cast<WNDPROC>(GetClassLongPtrA(rebar, GCLP_WNDPROC)), rebar,
                         message, wparam, lparam);
}

// The tooltip a control gives for the button with this command.
std::string Tooltip(TandemBand& band, HWND toolbar, UINT command) {
  NMTTDISPINFOA info = {};
  info.hdr.hwndFrom = reinterpret_cast<HWND>(SendMessageA(toolbar, TB_GETTOOLTIPS, 0, 0));
  info.hdr.idFrom = command;
  info.hdr.code = TTN_NEEDTEXTA;
  SendMessageA(band.Window(), WM_NOTIFY, command, reinterpret_cast<LPARAM>(&info));
  if (!info.lpszText) return "<null>";
  if (info.hinst) {
    char text[260];
    LoadStringA(info.hinst, LOWORD(reinterpret_cast<UINT_PTR>(info.lpszText)), text, sizeof text);
    return text;
  }
  return info.lpszText;
}

int Left(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return r.left;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

void PrintFigures(const char* what, std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  std::printf("%s: median %.3f ms, worst %.3f ms over %u\n", what, ms[ms.size() / 2], ms.back(),
              static_cast<unsigned>(ms.size()));
}

}  // namespace

TEST(BandInRebar, StaysLastRoutesClicksCollapsesAndLeavesTheRebarAsItWas) {
  OleInitialize(nullptr);
  Services s("band-walk");
  Frame f = MakeFrame("Marvella - navegador de prueba");
  LONG_PTR rebarProcedure = GetWindowLongPtrA(f.rebar, GWLP_WNDPROC);
  long objects = ObjectCount();
  TandemBand* band = Sited(s, f);
  EXPECT_EQ(objects + 1, ObjectCount());
  EXPECT_TRUE(HasEventSink(f.browser));
  ASSERT_NE(nullptr, band->Window());
  EXPECT_TRUE(band->Filtering());

  // Last in the rebar, and not counted by those who ask the rebar.
  EXPECT_EQ(2, ClassProcedure(f.rebar, RB_GETBANDCOUNT));
  EXPECT_EQ(1, SendMessageA(f.rebar, RB_GETBANDCOUNT, 0, 0));
  EXPECT_EQ(1, SendMessageA(f.rebar, RB_IDTOINDEX, kBandId, 0));
  InsertPlainBand(f.rebar, "Vínculos");  // the browser shows its links bar later
  EXPECT_EQ(2, SendMessageA(f.rebar, RB_IDTOINDEX, kBandId, 0));
  EXPECT_EQ(2, band->BandIndex());
  EXPECT_EQ(2, SendMessageA(f.rebar, RB_GETBANDCOUNT, 0, 0));
  Pump();

  // Left to right: banner, home, tools, search box, mail, menus; the show button hidden.
  HWND show = band->Control(kShowSlot).Toolbar();
  HWND banner = band->Banner().Toolbar();
  HWND mail = band->Mail().Toolbar();
  HWND menus = band->Menus().Toolbar();
  ASSERT_TRUE(show && banner && mail && menus && band->Search().Edit());
  EXPECT_FALSE(Visible(show));
  for (HWND w : {banner, mail, menus, band->Search().Edit(), band->Search().Toolbar()})
    EXPECT_TRUE(Visible(w));
  EXPECT_LT(Left(banner), Left(band->Search().Edit()));
  EXPECT_LT(Left(band->Search().Edit()), Left(mail));
  EXPECT_LT(Left(mail), Left(menus));
  EXPECT_GT(band->Banner().Size().width, 0);
  // No control cuts its own buttons off, whatever room the common controls report.
  for (int slot = 0; slot < kBarSlots; ++slot) {
    SIZE laidOut = {0, 0};
    SendMessageA(band->Control(BarSlot(slot)).Toolbar(), TB_GETMAXSIZE, 0,
                 reinterpret_cast<LPARAM>(&laidOut));
    EXPECT_LE(laidOut.cx, band->Control(BarSlot(slot)).Size().width) << "control " << slot;
  }
  UpdateWindow(f.frame);
  SaveWindowScreenshot(f.frame, "toolbar-expanded");

  // Tooltips, and clicks that send this browser window somewhere.
  EXPECT_EQ(String(IDS_SHOW_TIP), Tooltip(*band, show, 0));
  EXPECT_EQ(String(IDS_BANNER_TOOLTIP), Tooltip(*band, banner, 0));
  EXPECT_EQ("No se ha conectado con el servidor", Tooltip(*band, mail, 1));
  EXPECT_EQ("Personaliza Marvella", Tooltip(*band, menus, 10));
  EXPECT_EQ("", Tooltip(*band, menus, 11));
  EXPECT_EQ("", Tooltip(*band, band->Search().Toolbar(), 0));
  EXPECT_EQ(s.strings.Local(String(IDS_URL_PORTAL_HOME)), NavigationAfterClick(f, banner, 0));
  EXPECT_EQ(band->Mail().Checker().WebMailUrl(), NavigationAfterClick(f, mail, 1));
  EXPECT_EQ(s.strings.Local(String(IDS_URL_HOME_BUTTON)),
            NavigationAfterClick(f, band->Control(kHomeSlot).Toolbar(), 1));

  // Collapsed to the show button, which shares a row; a click expands and stores "0".
  band->SetCollapsed(true);
  Pump();
  EXPECT_TRUE(Visible(show));
  EXPECT_FALSE(Visible(banner));
  DESKBANDINFO info = {};
  info.dwMask = DBIM_MINSIZE | DBIM_MAXSIZE | DBIM_TITLE;
  EXPECT_EQ(S_OK, band->GetBandInfo(0, 0, &info));
  EXPECT_EQ(DWORD(DBIM_MINSIZE | DBIM_MAXSIZE), info.dwMask);
  EXPECT_EQ(info.ptMinSize.x, info.ptMaxSize.x);
  EXPECT_EQ(band->Layout().collapsedSize.width, info.ptMaxSize.x);
  UpdateWindow(f.frame);
  SaveWindowScreenshot(f.frame, "toolbar-collapsed");
  Click(show, 0);
  EXPECT_TRUE(PumpUntil([&] { return Visible(banner); }));
  EXPECT_FALSE(Visible(show));
  EXPECT_EQ("0", s.settings.values["Hide"]);
  EXPECT_EQ(S_OK, band->GetBandInfo(0, 0, &info));
  EXPECT_EQ(band->Layout().fullWidth, info.ptMaxSize.x);
  EXPECT_EQ(E_INVALIDARG, band->GetBandInfo(0, 0, nullptr));

  // The COM answers the browser relies on.
  void* persist = nullptr;
  EXPECT_EQ(S_OK, band->QueryInterface(IID_IPersist, &persist));
  EXPECT_EQ(static_cast<IPersistStream*>(band), persist);
  static_cast<IUnknown*>(persist)->Release();
  void* none = &persist;
  EXPECT_EQ(E_NOINTERFACE, band->QueryInterface(IID_IClassFactory, &none));
  EXPECT_EQ(nullptr, none);
  HMENU menu = CreatePopupMenu();
  EXPECT_EQ(0, band->QueryContextMenu(menu, 0, 100, 200, CMF_DEFAULTONLY));
  EXPECT_EQ(1, band->QueryContextMenu(menu, 0, 100, 200, CMF_NORMAL));
  char text[64] = "";
  GetMenuStringA(menu, 100, text, sizeof text, MF_BYCOMMAND);
  EXPECT_STREQ("Mostrar Tandem", text);
  DestroyMenu(menu);
  CMINVOKECOMMANDINFO invoke = {};
  invoke.cbSize = sizeof invoke;
  invoke.lpVerb = "__tandem__";
  EXPECT_EQ(E_INVALIDARG, band->InvokeCommand(&invoke));

  // Unsited: the band leaves, the rebar gets its own procedure back.
  EXPECT_EQ(S_OK, band->SetSite(nullptr));
  EXPECT_EQ(rebarProcedure, GetWindowLongPtrA(f.rebar, GWLP_WNDPROC));
  EXPECT_EQ(2, SendMessageA(f.rebar, RB_GETBANDCOUNT, 0, 0));
  EXPECT_EQ(-1, SendMessageA(f.rebar, RB_IDTOINDEX, kBandId, 0));
  EXPECT_FALSE(HasEventSink(f.browser));
  EXPECT_EQ(E_FAIL, band->Navigate("http://127.0.0.1/"));  // no browser: a beep
  band->Release();
  EXPECT_EQ(objects, ObjectCount());
  CloseFrame(f);
  OleUninitialize();
}

TEST(BandInRebar, OnlyHideExactlyOneStartsCollapsed) {
  OleInitialize(nullptr);
  struct Case {
    const char* hide;  // null: no value
    bool collapsed;
  } cases[] = {{nullptr, false}, {"0", false}, {"1 ", false}, {"1", true}};
  Services s("band-hide");
  Frame f = MakeFrame("Ocultar");
  for (const Case& c : cases) {
    s.settings.values.clear();
    if (c.hide) s.settings.values["Hide"] = c.hide;
    TandemBand* band = Sited(s, f);
    EXPECT_EQ(c.collapsed, band->Layout().collapsed) << (c.hide ? c.hide : "<none>");
    EXPECT_EQ(c.collapsed, Visible(band->Control(kShowSlot).Toolbar()));
    Unsite(band);
  }
  CloseFrame(f);
  OleUninitialize();
}

TEST(BandInRebar, ANewerVersionIsOfferedOnceAndItsPageOpened) {
  OleInitialize(nullptr);
  Services s("band-version");
  Frame f = MakeFrame("Versión");
  TandemBand* band = Sited(s, f);
  InternalSettings internal = {};
  lstrcpyA(internal.lastVersion, "1.02");
  lstrcpyA(internal.lastVersionUrl, "http://127.0.0.1/tandem/nueva.htm");
  SearchEngineTable engines = {};
  PersonalizationLinks links = {};
  PortalLinks portal = {};
  s.tables.Store(engines, links, portal, internal);

  std::string text, caption;
  std::thread answer([&] {
    HWND box = WaitForWindow("#32770", "Nueva versión de Tandem", 60000);
    if (!box) return;
    text = MessageBoxText(box);
    PressButton(box, IDYES);
  });
  CompleteDocument(f.browser, L"http://127.0.0.1/");
  answer.join();
  EXPECT_EQ(String(IDS_NEW_VERSION), text);
  auto sent = Navigations(f.browser);
  ASSERT_FALSE(sent.empty());
  EXPECT_EQ("http://127.0.0.1/tandem/nueva.htm", sent.back());
  EXPECT_EQ("1.02", s.settings.values["LastAskedVersion"]);
  CompleteDocument(f.browser, L"http://127.0.0.1/");  // asked already: no box to answer
  Unsite(band);
  CloseFrame(f);
  OleUninitialize();
}

// The service moves the mail count; completed documents bring its banner and count in.
TEST(BandWithService, BannerAndMailFollowTheServiceAsDocumentsComplete) {
  const char* base = std::getenv("MARVELLA_DEVSERVICE_URL");
  ASSERT_NE(nullptr, base);
  OleInitialize(nullptr);
  Get(std::string(base) + "/admin/set?mail=3");
  Services s("band-service");
  Frame f = MakeFrame("Marvella - con el servicio");
  std::vector<double> insertions;
  for (int i = 0; i < 10; ++i) {
    LARGE_INTEGER from, to;
    QueryPerformanceCounter(&from);
    TandemBand* band = new TandemBand(s.services);
    LocalTables(s);
    band->SetSite(static_cast<IUnknown*>(BrowserSite(f.browser)));
    QueryPerformanceCounter(&to);
    insertions.push_back(Milliseconds(from, to));
    Unsite(band);
  }
  PrintFigures("band insertion (object, SetSite, controls)", insertions);

  TandemBand* band = Sited(s, f);
  HWND mail = band->Mail().Toolbar();
  std::string firstLink = band->Banner().Feed().Link();
  EXPECT_EQ(0, SendMessageA(mail, TB_GETBITMAP, 1, 0));
  // Each completed document fetches the configuration page; the banner it names is fetched
  // at the next one and shown at the one after.
  for (int i = 0; i < 8; ++i) {
    if (firstLink != band->Banner().Feed().Link() && SendMessageA(mail, TB_GETBITMAP, 1, 0) == 1)
      break;
    CompleteDocument(f.browser, L"http://127.0.0.1/");
    PumpUntil([] { return ProcessDownloadQueue().IsIdle(); });
  }
  EXPECT_NE(firstLink, band->Banner().Feed().Link());
  EXPECT_EQ(1, SendMessageA(mail, TB_GETBITMAP, 1, 0));
  EXPECT_EQ("Tienes 3 mensajes nuevos en tu buzón", Tooltip(*band, mail, 1));
  EXPECT_EQ(band->Banner().Feed().Link(), NavigationAfterClick(f, band->Banner().Toolbar(), 0));
  Pump();
  UpdateWindow(f.frame);
  SaveWindowScreenshot(f.frame, "toolbar-service");

  std::vector<double> broadcasts;
  for (int i = 0; i < 50; ++i) {
    LARGE_INTEGER from, to;
    QueryPerformanceCounter(&from);
    CompleteDocument(f.browser, L"http://127.0.0.1/");
    QueryPerformanceCounter(&to);
    broadcasts.push_back(Milliseconds(from, to));
    PumpUntil([] { return ProcessDownloadQueue().IsIdle(); });
  }
  PrintFigures("document-complete broadcast", broadcasts);
  Unsite(band);
  CloseFrame(f);
  OleUninitialize();
}

namespace {
MailPollingStop g_sharedStop;
}  // namespace

// Two browser windows of one process on two threads: closing one leaves the other's mail
// indicator polling.
TEST(BandInRebar, AWindowClosingLeavesTheOtherWindowPolling) {
  OleInitialize(nullptr);
  Services first("band-first", 100, &g_sharedStop);
  Frame f = MakeFrame("Primera ventana");
  TandemBand* band = Sited(first, f);

  std::string secondDirectory = marvella::testing::FreshDirectory("band-second");
  HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HWND secondMail = nullptr;
  std::thread second([&] {
    OleInitialize(nullptr);
    Services s("band-second", 100, &g_sharedStop);
    Frame other = MakeFrame("Segunda ventana");
    TandemBand* otherBand = Sited(s, other);
    secondMail = otherBand->Mail().Toolbar();
    SetEvent(ready);
    PumpUntil([&] { return WaitForSingleObject(done, 0) == WAIT_OBJECT_0; });
    Unsite(otherBand);
    CloseFrame(other);
    OleUninitialize();
  });
  ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(ready, 60000));
  Unsite(band);
  CloseFrame(f);
  EXPECT_FALSE(g_sharedStop.Raised());

  marvella::testing::WriteFileBytes(
      secondDirectory + "tandcfg.htm", "<INPUT TYPE=HIDDEN NAME=\"WEBMAIL\" VALUE=\"2\">");
  bool shown = false;
  for (int i = 0; i < 600 && !shown; ++i) {
    shown = SendMessageA(secondMail, TB_GETBITMAP, 1, 0) == 1;
    if (!shown) Sleep(100);
  }
  EXPECT_TRUE(shown) << "the second window's checker stopped polling";
  SetEvent(done);
  second.join();
  CloseHandle(ready);
  CloseHandle(done);
  OleUninitialize();
}
