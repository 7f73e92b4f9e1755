// The toolbar's host window: routing, broadcasts, layout, collapse and the version offer.
#include "toolbar/win32/BarWindow.h"

#include "toolbar/BarTexts.h"
#include "toolbar/win32/ServerState.h"
#include "toolbar/win32/ServerTexts.h"
#include "toolbar/win32/Uninstall.h"

#include <atomic>

namespace marvella {

namespace {
const char kClassName[] = "TandemBarClass";

// The layout of the first toolbar built in the process, for those that follow. Written
// once, by the first toolbar to get there; read only once the state says it is whole.
enum : int { kNoLayout, kLayoutBeingWritten, kLayoutKnown };
std::atomic<int> g_layoutState{kNoLayout};
BarLayout g_firstLayout;

bool SameBand(const BarLayout& a, const BarLayout& b) {
  BandSizes x = BandSizesOf(a), y = BandSizesOf(b);
  return x.minimum.width == y.minimum.width && x.minimum.height == y.minimum.height &&
         x.maximum.height == y.maximum.height;
}

// The version offer's question box, without owner, and its way to the browser.
class PromptHost : public VersionPromptHost {
 public:
  explicit PromptHost(BarWindow& bar) : bar_(bar) {}
  bool AskToDownload() override {
    char text[256];
    bar_.Services().strings.Load(IDS_NEW_VERSION, text, sizeof text);
    return MessageBoxA(nullptr, text, NEW_VERSION_CAPTION, MB_YESNO) == IDYES;
  }
  void Navigate(const char* url) override { bar_.Navigate(url); }

 private:
  BarWindow& bar_;
};
}  // namespace

BarWindow::BarWindow(BarServices& services)
    : services_(services),
      menu_(services),
      show_(services),
      banner_(services),
      tools_(services),
      search_(services),
      mail_(services),
      home_(services),
      routing_{&show_, &banner_, &tools_, &home_, &search_, &mail_, &menu_} {
  // Each configuration page the banner fetches may bring new tokens or a personal page.
  banner_.Feed().SetStoredHook(&BarWindow::ConfigStored, this);
}

void BarWindow::ConfigStored(void* bar) { static_cast<BarWindow*>(bar)->menu_.ReadAhead(); }

void BarWindow::Hold(bool) {}
void BarWindow::BandSizesChanged() {}

void BarWindow::MenusReady() {
  mail_.Checker().TakeWebMail(services_.tables);
  if (offerWanted_) {
    offerWanted_ = false;
    OfferNewVersion();
  }
  if (!menu_.FileRead()) return;
  bool collapsed = layout_.collapsed;
  BarSize sizes[kBarSlots];
  for (int i = 0; i < kBarSlots; ++i) sizes[i] = routing_[i]->Size();
  BarLayout measured = MeasureBar(sizes);
  layout_.fullWidth = measured.fullWidth;
  layout_.bandHeight = measured.bandHeight;
  layout_.collapsed = collapsed;
  OnSize(0, 0, 0);
}

BarWindow::~BarWindow() { BarWindow::Destroy(); }

LRESULT BarWindow::OnKillFocus(HWND) { return 0; }
LRESULT BarWindow::OnSetFocus(HWND) { return 0; }

BarControl* BarWindow::Owner(HWND window) {
  for (BarControl* control : routing_)
    if (control->OwnsWindow(window)) return control;
  return nullptr;
}

LRESULT BarWindow::OnCommand(int code, WPARAM wparam, HWND sender) {
  BarControl* owner = Owner(sender);
  return owner ? owner->OnCommand(code, wparam, sender, *this) : 0;
}

LRESULT BarWindow::OnNotify(NMHDR* header) {
  BarControl* owner = header ? Owner(header->hwndFrom) : nullptr;
  if (!owner) return 0;
  if (header->code == NM_TOOLTIPSCREATED) {
    owner->TooltipCreated(reinterpret_cast<NMTOOLTIPSCREATED*>(header)->hwndToolTips);
    return 0;
  }
  return owner->OnNotify(header, *this);
}

LRESULT BarWindow::OnSize(WPARAM, int, int) {
  BarSize sizes[kBarSlots];
  for (int i = 0; i < kBarSlots; ++i) sizes[i] = routing_[i]->Size();
  int x[kBarSlots];
  PlaceControls(sizes, x);
  for (int i = 0; i < kBarSlots; ++i) routing_[i]->Move(x[i]);
  return 0;
}

void BarWindow::OnSysColorChange() {
  for (BarControl* control : routing_) control->SysColorChange();
}

void BarWindow::OnDocumentComplete(const char* url) {
  if (!BuildPending()) return;
  for (BarControl* control : routing_) control->OnDocumentComplete(url);
  // The version comes from this toolbar's bookmarks file: until it has been read the offer
  // waits for it.
  if (menu_.FileWasRead())
    OfferNewVersion();
  else
    offerWanted_ = true;
}

void BarWindow::OfferNewVersion() {
  InternalSettings internal;
  services_.tables.CopyInternalSettings(&internal);
  PromptHost host(*this);
  RunVersionPrompt(internal.lastVersion, internal.lastVersionUrl, services_.settings, host);
}

void BarWindow::RefreshControls() {
  if (!BuildPending()) return;
  for (BarControl* control : routing_) control->Refresh();
}

void BarWindow::Destroy() {
  buildPending_ = false;
  for (BarControl* control : routing_) control->Destroy();
  window_.Reset();  // emptied first, so its WM_NCDESTROY finds nothing to let go
}

bool BarWindow::CreateHost(HWND parent) {
  WNDCLASSA known;
  if (!GetClassInfoA(services_.module, kClassName, &known)) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = &BarWindow::WindowProc;
    windowClass.hInstance = services_.module;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_INACTIVEBORDER + 1);  // value 11
    windowClass.lpszClassName = kClassName;
    RegisterClassA(&windowClass);  // another browser thread may have won: the class is there
  }
  if (!CreateWindowExA(0, kClassName, nullptr, WS_CHILD, 0, 0, 0, 0, parent, nullptr,
                       services_.module, this))
    return false;
  // The band goes in at the layout of the process's first toolbar or, for that one, at
  // the one the last session measured; the controls come from the window's loop.
  BarLayout start;
  bool have = g_layoutState.load(std::memory_order_acquire) == kLayoutKnown;
  if (have)
    start = g_firstLayout;
  else
    have = ReadStoredLayout(services_.settings, &start);
  if (have && PostMessageA(Window(), kBuildControlsMessage, 0, 0)) {
    layout_ = start;
    buildPending_ = true;
    return true;
  }
  if (!CreateControls()) {
    Destroy();
    return false;
  }
  return true;
}

bool BarWindow::BuildPending() {
  if (!buildPending_) return true;
  buildPending_ = false;
  BarLayout inserted = layout_;
  // Built out of sight, so that nobody sees the controls of the other state while the
  // collapsed state is set on them.
  bool shown = (GetWindowLongPtrA(Window(), GWL_STYLE) & WS_VISIBLE) != 0;
  if (shown) ShowWindow(Window(), SW_HIDE);
  if (!CreateControls()) {
    Destroy();  // the band's: the toolbar leaves the rebar
    return false;
  }
  // "Hide" may have collapsed the band before there were controls to hide.
  layout_.collapsed = inserted.collapsed;
  for (BarControl* control : routing_)
    control->Show(control == &show_ ? layout_.collapsed : !layout_.collapsed);
  OnSize(0, 0, 0);
  if (shown) ShowWindow(Window(), SW_SHOWNA);
  if (!SameBand(inserted, layout_)) BandSizesChanged();
  return true;
}

bool BarWindow::CreateControls() {
  if (!show_.Create(Window(), 0)) return false;
  show_.Show(false);
  if (!banner_.Create(Window(), 0)) return false;
  // The rest in this order; the layout places them at the next WM_SIZE.
  BarControl* const rest[] = {&home_, &tools_, &search_, &mail_, &menu_};
  int x = banner_.Size().width;
  for (BarControl* control : rest) {
    if (!control->Create(Window(), x)) return false;
    x += control->Size().width;
  }
  BarSize sizes[kBarSlots];
  for (int i = 0; i < kBarSlots; ++i) sizes[i] = routing_[i]->Size();
  layout_ = MeasureBar(sizes);
  int none = kNoLayout;
  if (g_layoutState.compare_exchange_strong(none, kLayoutBeingWritten)) {
    g_firstLayout = layout_;
    g_layoutState.store(kLayoutKnown, std::memory_order_release);
    StoreLayout(services_.settings, layout_);
  }
  // The bookmarks file was read before the bar was built: the mail button's page is known.
  mail_.Checker().TakeWebMail(services_.tables);
  return true;
}

void BarWindow::SetCollapsed(bool collapsed) {
  layout_.collapsed = collapsed;
  for (BarControl* control : routing_) control->Show(control == &show_ ? collapsed : !collapsed);
  if (collapsed)
    Collapse(layout_.collapsedSize.width, layout_.collapsedSize.height);
  else
    Expand(layout_.leftWidth, layout_.fullWidth, layout_.bandHeight);
}

LRESULT BarWindow::Held(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_NOTIFY:
      return OnNotify(reinterpret_cast<NMHDR*>(lparam));
    case WM_COMMAND:
      return OnCommand(HIWORD(wparam), wparam, reinterpret_cast<HWND>(lparam));
    case kUninstallMessage:
      if (ConfirmUninstall(services_.module, Window()) == IDC_UNINSTALL) UninstallToolbar();
      break;
    case kTeardownMessage:  // an uninstall on another thread
      Destroy();
      break;
    case kBuildControlsMessage:
      BuildPending();  // a failed build lets the band go
      break;
    case kMenusReadyMessage:
      if (BuildPending()) MenusReady();
      break;
  }
  return 0;
}

LRESULT CALLBACK BarWindow::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    BarWindow* bar =
        static_cast<BarWindow*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(bar));
    bar->window_.Reset(window);
    return DefWindowProcA(window, message, wparam, lparam);
  }
  BarWindow* bar = reinterpret_cast<BarWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!bar) return DefWindowProcA(window, message, wparam, lparam);
  switch (message) {
    case WM_SIZE:
      return bar->OnSize(wparam, LOWORD(lparam), HIWORD(lparam));
    case WM_SETFOCUS:
      return bar->OnSetFocus(reinterpret_cast<HWND>(wparam));
    case WM_KILLFOCUS:
      return bar->OnKillFocus(reinterpret_cast<HWND>(wparam));
    case WM_SYSCOLORCHANGE:
      bar->OnSysColorChange();
      return 0;
    // Commands and notifications may open menus and boxes, whose loops let the browser
    // close the window meanwhile; the others may let the band go: it lives until they
    // have been handled.
    case WM_NOTIFY:
    case WM_COMMAND:
    case kUninstallMessage:
    case kTeardownMessage:
    case kBuildControlsMessage:
    case kMenusReadyMessage: {
      bar->Hold(true);
      LRESULT result = bar->Held(message, wparam, lparam);
      bar->Hold(false);  // last
      return result;
    }
    case kBannerReadyMessage:
      if (bar->BuildPending()) bar->Banner().ShowReady();
      return 0;
    case WM_NCDESTROY:
      // The rebar may take the window down with the browser's frame before the band lets
      // go of it: the bar then forgets it instead of destroying it twice.
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      if (bar->window_.Get() == window) bar->window_.Release();
      break;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace marvella
