// The toolbar hosted in this test program, for what only the inside can see: a frame with a
// rebar deep inside it, a browser that records where it is sent, and the band object sited
// on it. The layout, the tooltips, the band sizes collapsed and expanded and the COM answers.
// (The registered library in the test browser is walked from outside in tests/win32/browser,
// two windows on two threads included.)
#include "tests/win32/toolbar/BandHarness.h"
#include "toolbar/BarTexts.h"
#include "toolbar/ToolbarTexts.h"

#include <gtest/gtest.h>

#include <string>

using namespace marvella;
using namespace marvella::test;

namespace {

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

// Two other add-ons' procedures on the rebar: one there before the band, one after it.
WNDPROC g_before = nullptr;
WNDPROC g_after = nullptr;
int g_beforeCalls = 0;
LRESULT CALLBACK Before(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  ++g_beforeCalls;
  return CallWindowProcA(g_before, w, m, wp, lp);
}
LRESULT CALLBACK After(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  return CallWindowProcA(g_after, w, m, wp, lp);
}

}  // namespace

TEST(BandInRebar, LaysOutAnswersTooltipsAndTheBrowsersQuestions) {
  OleInitialize(nullptr);
  Services s("band-walk");
  Frame f = MakeFrame("Marvella - navegador de prueba");
  long objects = ObjectCount();
  LONG_PTR rebarProcedure = GetWindowLongPtrA(f.rebar, GWLP_WNDPROC);
  TandemBand* band = Sited(s, f);
  EXPECT_EQ(objects + 1, ObjectCount());
  ASSERT_NE(nullptr, band->Window());
  EXPECT_NE(rebarProcedure, GetWindowLongPtrA(f.rebar, GWLP_WNDPROC));  // the band's filter

  // Left to right: banner, home, tools, search box, mail, menus; the show button hidden.
  HWND show = band->Control(kShowSlot).Toolbar();
  HWND banner = band->Banner().Toolbar();
  HWND mail = band->Mail().Toolbar();
  HWND menus = band->Menus().Toolbar();
  ASSERT_TRUE(show && banner && mail && menus && band->Search().Edit());
  EXPECT_LT(Left(banner), Left(band->Search().Edit()));
  EXPECT_LT(Left(band->Search().Edit()), Left(mail));
  EXPECT_LT(Left(mail), Left(menus));
  // No control cuts its own buttons off, whatever room the common controls report.
  for (int slot = 0; slot < kBarSlots; ++slot) {
    SIZE laidOut = {0, 0};
    SendMessageA(band->Control(BarSlot(slot)).Toolbar(), TB_GETMAXSIZE, 0,
                 reinterpret_cast<LPARAM>(&laidOut));
    EXPECT_LE(laidOut.cx, band->Control(BarSlot(slot)).Size().width) << "control " << slot;
  }

  // Tooltips.
  EXPECT_EQ(String(IDS_SHOW_TIP), Tooltip(*band, show, 0));
  EXPECT_EQ(String(IDS_BANNER_TOOLTIP), Tooltip(*band, banner, 0));
  EXPECT_EQ("No se ha conectado con el servidor", Tooltip(*band, mail, 1));
  EXPECT_EQ("Personaliza Marvella", Tooltip(*band, menus, 10));
  EXPECT_EQ("", Tooltip(*band, menus, 11));
  EXPECT_EQ("", Tooltip(*band, band->Search().Toolbar(), 0));

  // Collapsed, the band is as wide as the show button, which shares a row.
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
  band->SetCollapsed(false);
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

  // Unsited: no sink left with the browser, and no browser to send anywhere (a beep).
  EXPECT_EQ(S_OK, band->SetSite(nullptr));
  EXPECT_FALSE(HasEventSink(f.browser));
  EXPECT_EQ(E_FAIL, band->Navigate("http://127.0.0.1/"));
  band->Release();
  EXPECT_EQ(objects, ObjectCount());
  CloseFrame(f);
  OleUninitialize();
}

// The first band of a process is built at once, while its bookmarks file is still being
// read in the background: its user menus come when the read is done, in a layout that
// holds them.
TEST(BandInRebar, MenusReadAfterTheBandWasBuiltJoinTheBar) {
  OleInitialize(nullptr);
  Services s("band-menus-late");
  Frame f = MakeFrame("Marvella - menús");
  TandemBand* band = new TandemBand(s.services);
  EXPECT_EQ(S_OK, band->SetSite(static_cast<IUnknown*>(BrowserSite(f.browser))));
  // Built again once the read is done: separator, Mi Marvella and the file's three.
  EXPECT_TRUE(
      PumpUntil([&] { return SendMessageA(band->Menus().Toolbar(), TB_BUTTONCOUNT, 0, 0) == 5; }));
  HWND menus = band->Menus().Toolbar();
  EXPECT_EQ(5, SendMessageA(menus, TB_BUTTONCOUNT, 0, 0));  // separator, Mi Marvella, three
  int width = 0;
  for (int slot = kBannerSlot; slot < kBarSlots; ++slot)
    width += band->Control(BarSlot(slot)).Size().width;
  EXPECT_EQ(width, band->Layout().fullWidth);
  EXPECT_EQ(Left(band->Banner().Toolbar()) + width - band->Menus().Size().width, Left(menus));
  Unsite(band);
  CloseFrame(f);
  OleUninitialize();
}

// Another add-on subclasses the rebar after the band: when the band goes, its filter stays
// in that chain and passes every message on to the procedure it replaced (the add-on before
// it), the library stays loaded until the rebar goes, and a band that comes to the same
// rebar meanwhile takes the filter over.
TEST(BandInRebar, AFilterLeftInAnotherAddOnsChainPassesMessagesOnUntilTheRebarGoes) {
  OleInitialize(nullptr);
  Services s("band-subclassed");
  Frame f = MakeFrame("Marvella - otro complemento");
  g_before = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(f.rebar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Before)));
  long objects = ObjectCount();
  TandemBand* band = Sited(s, f);
  ASSERT_NE(reinterpret_cast<LONG_PTR>(&Before), GetWindowLongPtrA(f.rebar, GWLP_WNDPROC));
  g_after = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(f.rebar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&After)));
  EXPECT_EQ(1, SendMessageA(f.rebar, RB_GETBANDCOUNT, 0, 0));  // the band is not counted
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    Unsite(band);
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&After), GetWindowLongPtrA(f.rebar, GWLP_WNDPROC));
    int calls = g_beforeCalls;
    EXPECT_EQ(1, SendMessageA(f.rebar, RB_GETBANDCOUNT, 0, 0));  // the address band
    EXPECT_LT(calls, g_beforeCalls);
    EXPECT_EQ(objects + 1, ObjectCount());  // the filter's hold on the library
    if (round == 1) break;
    band = Sited(s, f);
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&After), GetWindowLongPtrA(f.rebar, GWLP_WNDPROC));
    EXPECT_EQ(1, SendMessageA(f.rebar, RB_GETBANDCOUNT, 0, 0));  // filtered again
    EXPECT_EQ(objects + 1, ObjectCount());  // the band alone
  }
  CloseFrame(f);
  EXPECT_EQ(objects, ObjectCount());
  OleUninitialize();
}
