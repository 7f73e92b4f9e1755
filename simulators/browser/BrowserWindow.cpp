// A browser window of the test browser: its thread, frame, rebar, helper objects, message
// loop (the keys the browser takes for itself) and closing order.
#include "simulators/browser/BrowserWindow.h"

#include <commctrl.h>

#include "simulators/browser/BrowserLog.h"

namespace testbrowser {
namespace {

const char kFrameClass[] = "TestBrowserFrame";
const char kWorkerClass[] = "TestBrowserWorker";
const char kPageClass[] = "TestBrowserPage";
const char kHelperKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";

enum : UINT_PTR { kFreeTimer = 2 };
enum : UINT { kButtonBack = 201, kButtonForward, kButtonStop, kButtonRefresh, kButtonHome };
enum : UINT { kButtonsBand = 1, kAddressBand = 2 };

// The browser ships with this rebar info layout (Internet Explorer 4's, 80 bytes).
static_assert(MARVELLA_TEST_TREE_64 || sizeof(REBARBANDINFOA) == 80,
              "rebar band info of the IE 4 common controls");

}  // namespace


Settings& RunSettings() {
  static Settings settings;
  return settings;
}

BrowserWindow::BrowserWindow(int number, const std::wstring& url)
    : number_(number), startUrl_(url), ready_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      inputRead_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}

bool BrowserWindow::RegisterClasses() {
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_BAR_CLASSES | ICC_COOL_CLASSES};
  InitCommonControlsEx(&icc);
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA wc = {};
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.lpfnWndProc = FrameProc;
  wc.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kFrameClass;
  if (!RegisterClassA(&wc)) return false;
  wc.hIcon = nullptr;
  wc.lpfnWndProc = WorkerProc;
  wc.lpszClassName = kWorkerClass;
  if (!RegisterClassA(&wc)) return false;
  wc.lpfnWndProc = PageProc;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = kPageClass;
  return RegisterClassA(&wc) != 0;
}

bool BrowserWindow::Start(bool wait) {
  thread_ = CreateThread(nullptr, 0, ThreadMain, this, 0, &threadId_);
  if (!thread_) return false;
  if (!wait) return true;
  HANDLE both[] = {ready_, thread_};
  WaitForMultipleObjects(2, both, FALSE, 60000);
  return frame_ != nullptr && !closed_;
}

DWORD WINAPI BrowserWindow::ThreadMain(void* self) {
  static_cast<BrowserWindow*>(self)->ThreadBody();
  return 0;
}

// Each window lives in its own single-threaded apartment; its helper objects are created,
// called and released on this thread only.
void BrowserWindow::ThreadBody() {
  long long start = Microseconds();
  OleInitialize(nullptr);
  browser_ = new WebBrowser(number_, this);
  browser_->SetNavigationDelay(RunSettings().navigationDelayMs);
  if (!CreateFrame()) {
    Log("open-failed %d", number_);
    closed_ = 1;
    SetEvent(ready_);
    OleUninitialize();
    return;
  }
  browser_->Attach(frame_);
  rebarProc_ = GetWindowLongPtrA(rebar_, GWLP_WNDPROC);
  ShowWindow(frame_, SW_SHOW);
  UpdateWindow(frame_);
  Log("open %d thread=%lu frame=%p rebar=%p", number_, GetCurrentThreadId(),
      static_cast<void*>(frame_), static_cast<void*>(rebar_));
  LoadHelpers();  // frame and rebar exist by now, as in the browser
  if (!startUrl_.empty() && frame_) {
    BSTR url = SysAllocString(startUrl_.c_str());
    browser_->Navigate(url, nullptr, nullptr, nullptr, nullptr);
    SysFreeString(url);
  }
  Log("ready %d helpers=%d us=%lld", number_, int(helpers_.size()), Microseconds() - start);
  SetEvent(ready_);

  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (FilterInput(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  // What helper objects still hold on the browser after they were released.
  Log("closed %d browser-refs=%ld", number_, long(browser_->References() - 1));
  OleUninitialize();
  closed_ = 1;
}

bool BrowserWindow::CreateFrame() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  int offset = 30 * ((number_ - 1) % 8);
  char title[64];
  wsprintfA(title, "Navegador de prueba - ventana %d", number_);
  HWND frame = CreateWindowExA(0, kFrameClass, title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                               20 + offset, 20 + offset, 800, 560, nullptr, nullptr, instance,
                               this);
  if (!frame) return false;
  frame_ = frame;
  // The rebar sits in a worker window, as the browser's does: a descendant of the frame,
  // not a direct child.
  worker_ = CreateWindowExA(0, kWorkerClass, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                            0, 0, 800, 60, frame, nullptr, instance, this);
  rebar_ = CreateWindowExA(WS_EX_TOOLWINDOW, REBARCLASSNAMEA, nullptr,
                           WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN |
                               RBS_VARHEIGHT | RBS_BANDBORDERS | CCS_NODIVIDER | CCS_TOP,
                           0, 0, 800, 30, worker_, nullptr, instance, nullptr);
  page_ = CreateWindowExA(WS_EX_CLIENTEDGE, kPageClass, nullptr, WS_CHILD | WS_VISIBLE, 0, 60, 800,
                          400, frame, nullptr, instance, this);
  if (!worker_ || !rebar_ || !page_) return false;
  REBARINFO info = {sizeof info, 0, nullptr};
  SendMessageA(rebar_, RB_SETBARINFO, 0, reinterpret_cast<LPARAM>(&info));

  buttons_ = CreateButtons("Atrás\0Adelante\0Detener\0Actualizar\0Inicio\0", 5, kButtonBack);
  address_ = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", nullptr,
                             WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0, 300, 22, rebar_,
                             nullptr, instance, nullptr);
  if (!buttons_ || !address_) return false;
  SendMessageA(address_, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
  if (InsertBand(buttons_, kButtonsBand, nullptr, false) == 0) return false;
  if (InsertBand(address_, kAddressBand, "Dirección", false) == 0) return false;
  Layout();
  return true;
}

// A flat toolbar of text buttons, as the browser's own bands are.
HWND BrowserWindow::CreateButtons(const char* labels, int count, UINT firstId) {
  HWND bar = CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr,
                             WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_LIST | CCS_NORESIZE |
                                 CCS_NODIVIDER | CCS_NOPARENTALIGN,
                             0, 0, 0, 0, rebar_, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!bar) return nullptr;
  SendMessageA(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageA(bar, TB_SETBITMAPSIZE, 0, MAKELONG(0, 0));
  LRESULT first = SendMessageA(bar, TB_ADDSTRINGA, 0, reinterpret_cast<LPARAM>(labels));
  for (int i = 0; i < count; ++i) {
    TBBUTTON b = {};
    b.iBitmap = -1;
    b.idCommand = int(firstId) + i;
    b.fsState = TBSTATE_ENABLED;
    b.fsStyle = TBSTYLE_BUTTON | TBSTYLE_AUTOSIZE;
    b.iString = first + i;
    SendMessageA(bar, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&b));
  }
  SendMessageA(bar, TB_AUTOSIZE, 0, 0);
  ownBands_.push_back(bar);
  return bar;
}

// Appends a band the way the browser does (index -1), in the ANSI or wide form.
LRESULT BrowserWindow::InsertBand(HWND child, UINT id, const char* text, bool wide) {
  SIZE size = {300, 24};
  SendMessageA(child, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
  RECT r;
  GetWindowRect(child, &r);
  if (size.cy < 20) size.cy = 22;
  REBARBANDINFOA band = {};
  band.cbSize = sizeof band;
  band.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_ID;
  band.fStyle = RBBS_CHILDEDGE | RBBS_GRIPPERALWAYS | (id == kButtonsBand ? RBBS_BREAK : 0);
  band.hwndChild = child;
  band.cxMinChild = size.cx > 0 ? size.cx : 100;
  band.cyMinChild = size.cy;
  band.cx = band.cxMinChild + 20;
  band.wID = id;
  std::wstring wideText = Widen(text ? text : "");
  if (text) {
    band.fMask |= RBBIM_TEXT;
    band.lpText = wide ? reinterpret_cast<LPSTR>(&wideText[0]) : const_cast<LPSTR>(text);
  }
  return SendMessageA(rebar_, wide ? RB_INSERTBANDW : RB_INSERTBANDA, WPARAM(-1),
                      reinterpret_cast<LPARAM>(&band));
}

// The browser lays out its bands from what the rebar tells it (count, then each band).
void BrowserWindow::Layout() {
  if (inLayout_ || !frame_) return;
  inLayout_ = true;
  RECT client;
  GetClientRect(frame_, &client);
  int width = client.right;
  if (IsWindow(rebar_)) {
    LRESULT count = SendMessageA(rebar_, RB_GETBANDCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      REBARBANDINFOA band = {};
      band.cbSize = sizeof band;
      band.fMask = RBBIM_ID | RBBIM_CHILD | RBBIM_STYLE;
      SendMessageA(rebar_, RB_GETBANDINFOA, WPARAM(i), reinterpret_cast<LPARAM>(&band));
    }
    SendMessageA(rebar_, WM_SIZE, 0, 0);
  }
  RECT bar = {0, 0, 0, 0};
  if (IsWindow(rebar_)) GetWindowRect(rebar_, &bar);
  int height = bar.bottom - bar.top;
  MoveWindow(worker_, 0, 0, width, height, TRUE);
  if (IsWindow(rebar_)) MoveWindow(rebar_, 0, 0, width, height, TRUE);
  MoveWindow(page_, 0, height, width, client.bottom - height, TRUE);
  inLayout_ = false;
}

void BrowserWindow::LoadHelpers() {
  if (!RunSettings().loadHelpers) {
    Log("helpers %d off", number_);
    return;
  }
  // The subkeys are read first: an object may write to the registry while it is sited.
  std::vector<std::string> names;
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kHelperKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
    for (DWORD i = 0;; ++i) {
      char name[256];
      DWORD length = sizeof name;
      if (RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        break;
      names.push_back(name);
    }
    RegCloseKey(key);
  }
  for (const std::string& name : names) {
    if (!frame_) break;  // a helper closed the window
    std::wstring text = Widen(name);
    CLSID id;
    if (FAILED(CLSIDFromString(&text[0], &id))) {
      Log("helper %d %s skipped not-a-class-id", number_, name.c_str());
      continue;
    }
    IUnknown* object = nullptr;
    long long creating = Microseconds();
    HRESULT hr = CoCreateInstance(id, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                  reinterpret_cast<void**>(&object));
    long long created = Microseconds() - creating;
    if (FAILED(hr) || !object) {
      Log("helper %d %s skipped create=0x%08lx", number_, name.c_str(), static_cast<unsigned long>(hr));
      continue;
    }
    IObjectWithSite* site = nullptr;
    hr = object->QueryInterface(IID_IObjectWithSite, reinterpret_cast<void**>(&site));
    object->Release();
    if (FAILED(hr) || !site) {
      Log("helper %d %s skipped no-IObjectWithSite", number_, name.c_str());
      continue;
    }
    Log("created %d %s us=%lld", number_, name.c_str(), created);
    helpers_.push_back({name, site});
    long long siting = Microseconds();
    hr = site->SetSite(static_cast<IUnknown*>(static_cast<IWebBrowser2*>(browser_)));
    Log("helper %d %s sited=0x%08lx us=%lld", number_, name.c_str(), static_cast<unsigned long>(hr),
        Microseconds() - siting);
  }
}

// Closing: OnQuit, then each helper object loses its site and is released, while the
// frame and its rebar still exist; then the frame goes.
void BrowserWindow::OnClose() {
  if (closing_) return;
  closing_ = true;
  Log("close %d", number_);
  browser_->FireQuit();
  std::vector<Helper> helpers;
  helpers.swap(helpers_);
  for (const Helper& h : helpers) {
    HRESULT hr = h.site->SetSite(nullptr);
    // A helper that replaced the rebar's window procedure must have put the browser's back.
    bool ownProc = GetWindowLongPtrA(rebar_, GWLP_WNDPROC) == rebarProc_;
    Log("unsite %d %s result=0x%08lx rebar-proc=%s", number_, h.classId.c_str(),
        static_cast<unsigned long>(hr), ownProc ? "own" : "replaced");
    ULONG left = h.site->Release();
    Log("release %d %s refs=%lu", number_, h.classId.c_str(), left);
  }
  if (RunSettings().freeAtClose) {
    CoFreeUnusedLibraries();
    Log("free-libraries %d at-close", number_);
  }
  WindowClosing(number_);
  DestroyWindow(frame_);
}

void BrowserWindow::RequestClose() {
  if (frame_) PostMessageA(frame_, WM_CLOSE, 0, 0);
}

void BrowserWindow::PostClose() { RequestClose(); }

void BrowserWindow::PostFreeLater() {
  if (frame_) PostMessageA(frame_, kMsgFreeLater, 0, 0);
}

void BrowserWindow::OpenNewWindow(const std::wstring& url) { OpenWindowFromBrowser(url); }

void BrowserWindow::LocationChanged(const std::wstring& url) {
  if (!frame_) return;
  std::string title = Narrow(url.c_str()) + " - Navegador de prueba";
  SetWindowTextA(frame_, title.c_str());
  SetWindowTextA(address_, Narrow(url.c_str()).c_str());
  InvalidateRect(page_, nullptr, TRUE);
}

// Keys the browser's message loop takes before any child window sees them: Backspace goes
// back unless the focus is in the browser's own edit field; Enter there navigates; F5
// reloads. F24 is the end marker of the input a script command sent.
bool BrowserWindow::FilterInput(const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_KEYUP) return false;
  if (msg.wParam == VK_F24) {
    if (msg.message == WM_KEYUP) SetEvent(inputRead_);
    return true;
  }
  if (msg.message != WM_KEYDOWN || !browser_ || closing_) return false;
  HWND focus = GetFocus();
  if (msg.wParam == VK_BACK && focus != address_) {
    HRESULT hr = browser_->GoBack();
    Log("key %d back result=0x%08lx", number_, static_cast<unsigned long>(hr));
    return true;
  }
  if (msg.wParam == VK_RETURN && focus == address_) {
    char text[1024] = {};
    GetWindowTextA(address_, text, sizeof text);
    BSTR url = SysAllocString(Widen(text).c_str());
    browser_->Navigate(url, nullptr, nullptr, nullptr, nullptr);
    SysFreeString(url);
    return true;
  }
  if (msg.wParam == VK_F5) {
    browser_->Refresh();
    return true;
  }
  return false;
}

LRESULT CALLBACK BrowserWindow::FrameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE)
    SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams));
  auto* self = reinterpret_cast<BrowserWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self || !self->browser_) return DefWindowProcA(hwnd, msg, wp, lp);
  switch (msg) {
    case WM_SIZE:
      self->Layout();
      return 0;
    case WM_CLOSE:
      self->OnClose();
      return 0;
    case WM_DESTROY:
      self->browser_->Detach();
      self->frame_ = nullptr;
      PostQuitMessage(0);
      return 0;
    case kMsgWindowCommand: {
      auto* command = reinterpret_cast<Command*>(lp);
      command->ok = self->Execute(command->verb, command->args);
      SetEvent(command->done);
      command->Release();
      return 0;
    }
    case kMsgNavigationStep:
      self->browser_->OnNavigationStep(unsigned(wp));
      return 0;
    case kMsgRefreshStep:
      self->browser_->OnRefreshStep();
      return 0;
    case kMsgFreeLater:
      SetTimer(hwnd, kFreeTimer, UINT(RunSettings().freeDelayMs), nullptr);
      return 0;
    case WM_TIMER:
      if (wp == kNavigationTimer) self->browser_->OnNavigationTimer();
      if (wp == kFreeTimer) {
        KillTimer(hwnd, kFreeTimer);
        CoFreeUnusedLibraries();
        Log("free-libraries %d later", self->number_);
      }
      return 0;
    case WM_COMMAND:
      switch (LOWORD(wp)) {
        case kButtonBack: self->browser_->GoBack(); return 0;
        case kButtonForward: self->browser_->GoForward(); return 0;
        case kButtonStop: self->browser_->Stop(); return 0;
        case kButtonRefresh: self->browser_->Refresh(); return 0;
        case kButtonHome: self->browser_->GoHome(); return 0;
      }
      break;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

// The rebar's parent: passes its buttons' commands on and follows its height.
LRESULT CALLBACK BrowserWindow::WorkerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE)
    SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams));
  auto* self = reinterpret_cast<BrowserWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  // Only the browser's own buttons: a helper's band may use the same command numbers.
  if (self && msg == WM_COMMAND && self->frame_ && self->IsOwnControl(reinterpret_cast<HWND>(lp)))
    return SendMessageA(self->frame_, msg, wp, lp);
  if (self && msg == WM_NOTIFY) {
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lp);
    if (header && header->hwndFrom == self->rebar_ && header->code == RBN_HEIGHTCHANGE)
      self->Layout();
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

LRESULT CALLBACK BrowserWindow::PageProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE)
    SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams));
  auto* self = reinterpret_cast<BrowserWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (self && msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    self->PaintPage(dc);
    EndPaint(hwnd, &ps);
    return 0;
  }
  if (msg == WM_LBUTTONDOWN) SetFocus(hwnd);
  return DefWindowProcA(hwnd, msg, wp, lp);
}

void BrowserWindow::PaintPage(HDC dc) {
  if (!browser_) return;
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  char line[1200];
  wsprintfA(line, "Ventana %d", number_);
  TextOutA(dc, 16, 16, line, lstrlenA(line));
  std::string url = Narrow(browser_->Location().c_str());
  if (url.size() > 1000) url.resize(1000);
  wsprintfA(line, "Página: %s", url.c_str());
  TextOutA(dc, 16, 36, line, lstrlenA(line));
  SelectObject(dc, old);
}

}  // namespace testbrowser
