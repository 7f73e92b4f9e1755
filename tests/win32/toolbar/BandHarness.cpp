// The band harness: frames, pumps, clicks and the sited band.
#include "tests/win32/toolbar/BandHarness.h"


#include <gtest/gtest.h>

namespace marvella::test {

void InsertPlainBand(HWND rebar, const char* text) {
  HWND edit = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", text, WS_CHILD | WS_VISIBLE, 0, 0, 200,
                              22, rebar, nullptr, GetModuleHandleA(nullptr), nullptr);
  REBARBANDINFOA band = {};
  band.cbSize = sizeof band;
  band.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_TEXT;
  band.fStyle = RBBS_BREAK;
  band.lpText = const_cast<char*>("Dirección");
  band.hwndChild = edit;
  band.cxMinChild = 200;
  band.cyMinChild = 22;
  SendMessageA(rebar, RB_INSERTBANDA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
}

Frame MakeFrame(const char* title) {
  WNDCLASSA frameClass = {};
  frameClass.lpfnWndProc = DefWindowProcA;
  frameClass.hInstance = GetModuleHandleA(nullptr);
  frameClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
  frameClass.lpszClassName = "TestBrowserFrame";
  RegisterClassA(&frameClass);
  INITCOMMONCONTROLSEX init = {sizeof init, ICC_COOL_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&init);
  Frame f;
  f.frame = CreateWindowExA(0, "TestBrowserFrame", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                            820, 150, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  HWND holder = CreateWindowExA(0, "TestBrowserFrame", "", WS_CHILD | WS_VISIBLE, 0, 0, 810, 110,
                                f.frame, nullptr, GetModuleHandleA(nullptr), nullptr);
  f.rebar = CreateWindowExA(0, REBARCLASSNAMEA, "",
                            WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN |
                                RBS_VARHEIGHT | RBS_BANDBORDERS | CCS_NODIVIDER,
                            0, 0, 810, 60, holder, nullptr, GetModuleHandleA(nullptr), nullptr);
  InsertPlainBand(f.rebar, "http://127.0.0.1/");
  f.browser = CreateFakeBrowser(f.frame);
  return f;
}

void CloseFrame(Frame& f) {
  ReleaseFakeBrowser(f.browser);
  DestroyWindow(f.frame);
}

bool PumpUntil(const std::function<bool()>& done) {
  for (int i = 0; i < 6000; ++i) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    if (done()) return true;
    Sleep(10);
  }
  return false;
}

void Pump() {
  PumpUntil([] { return true; });
}

void Click(HWND toolbar, int index) {
  RECT r;
  SendMessageA(toolbar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
  LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  PostMessageA(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(toolbar, WM_LBUTTONUP, 0, at);
}

std::string NavigationAfterClick(Frame& f, HWND toolbar, int index) {
  std::size_t before = Navigations(f.browser).size();
  Click(toolbar, index);
  PumpUntil([&] { return Navigations(f.browser).size() > before; });
  auto all = Navigations(f.browser);
  return all.size() > before ? all.back() : "<none>";
}


std::string String(unsigned id) {
  char text[260];
  LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof text);
  return text;
}

bool Visible(HWND window) { return window && IsWindowVisible(window); }

void LocalTables(Services& s) {
  SearchEngineTable engines;
  PersonalizationLinks links;
  PortalLinks portal;
  InternalSettings internal;
  s.tables.CopySearchEngines(&engines);
  s.tables.CopyPersonalizationLinks(&links);
  s.tables.CopyPortalLinks(&portal);
  s.tables.CopyInternalSettings(&internal);
  for (char* url : {internal.lastVersionUrl, internal.help, internal.webMail,
                    internal.carpetaPersonal, internal.log})
    lstrcpynA(url, s.strings.Local(url).c_str(), kLinkTextCapacity);
  s.tables.Store(engines, links, portal, internal);
}

bool CountedWorkers::StartThread(void (*run)(void*), void* argument) {
  Start* start = new Start{run, argument, this};
  ++running_;
  if (StartDetachedThread(&CountedWorkers::Run, start)) return true;
  --running_;
  delete start;
  return false;
}

void CountedWorkers::Run(void* p) {
  Start start = *static_cast<Start*>(p);
  delete static_cast<Start*>(p);
  start.run(start.argument);
  --start.workers->running_;
}

Services::~Services() {
  for (DWORD started = GetTickCount(); !workers.Idle() && GetTickCount() - started < 60000;)
    Sleep(10);
}

void Services::WaitForDownloads() {
  EXPECT_TRUE(PumpUntil([&] { return workers.Idle(); }));
}

bool CountingFetcher::DownloadToFile(InternetHandle handle, const char* url,
                                     const char* destination, const DownloadTerms& terms) {
  bool stored = WinInetFetcher::DownloadToFile(handle, url, destination, terms);
  std::string path = destination;
  if (path.size() >= 11 && path.compare(path.size() - 11, 11, "tandcfg.htm") == 0)
    ++configFetches_;
  return stored;
}

void Services::CompleteAndFetch(Frame& f) {
  int fetched = fetcher.ConfigFetches();
  CompleteDocument(f.browser, L"http://127.0.0.1/");
  // Its page fetched and the queue run dry: the feed asked for nothing after it.
  EXPECT_TRUE(PumpUntil([&] { return fetcher.ConfigFetches() > fetched && workers.Idle(); }));
}

TandemBand* Sited(Services& s, Frame& f) {
  TandemBand* band = new TandemBand(s.services);
  // The band reads its bookmarks file in the background into the tables; ours go on top.
  EXPECT_TRUE(PumpUntil([&] { return band->Menus().FileWasRead(); }));
  LocalTables(s);
  EXPECT_EQ(S_OK, band->SetSite(static_cast<IUnknown*>(BrowserSite(f.browser))));
  Pump();
  return band;
}

void Unsite(TandemBand* band) {
  band->SetSite(nullptr);
  band->Release();
}

}  // namespace marvella::test
