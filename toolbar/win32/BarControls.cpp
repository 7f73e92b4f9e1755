// The show button, the banner, the home button and the mail indicator.
#include "toolbar/win32/BarControls.h"

#include "common/BoundedText.h"
#include "toolbar/BarTexts.h"
#include "toolbar/LinkRules.h"
#include "toolbar/ToolbarTexts.h"
#include "toolbar/win32/BarWindow.h"

#include <new>
#include <utility>

namespace marvella {

namespace {
// The room for a text beside each image that some common controls report and these
// buttons do not use.
constexpr int kSmallImage = 18;
constexpr int kBannerImage = 100;
}  // namespace

bool ShowButton::Create(HWND parent, int x) {
  normal_.Reset(LoadImages(services_.module, 18, 18, 1, IDB_HOME, 0));
  TBBUTTON button = Button(0, 0, 0);
  if (!Build(parent, x, 18, 18, nullptr, 1, &button)) return false;
  size_ = MeasureButtons(Toolbar());
  LeaveOffTextRoom(kSmallImage);
  return true;
}

LRESULT ShowButton::OnCommand(int, WPARAM, HWND, BarWindow& bar) {
  bar.SetCollapsed(false);
  services_.settings.Write("Hide", "0");
  return 0;
}

LRESULT ShowButton::OnNotify(NMHDR* header, BarWindow&) {
  TooltipString(header, services_.module, IDS_SHOW_TIP);
  return 0;
}

BannerControl::BannerControl(BarServices& services)
    : services_(services),
      feed_(services, services.bitmaps, services.convert, GetCurrentProcessId()),
      work_(&BannerControl::RefreshFeed, this) {
  CopyBounded(link_, feed_.Link());
  CopyBounded(tooltip_, feed_.Tooltip());
}

BannerControl::~BannerControl() { BannerControl::Destroy(); }

bool BannerControl::Create(HWND parent, int x) {
  normal_.Reset(LoadImages(services_.module, 100, 18, 1, IDB_BANNER, IDB_BANNER_MASK));
  TBBUTTON button = Button(0, 0, 0);
  if (!Build(parent, x, 100, 18, nullptr, 1, &button)) return false;
  size_ = MeasureButtons(Toolbar());
  LeaveOffTextRoom(kBannerImage);
  host_ = parent;
  return true;
}

void BannerControl::Destroy() {
  // The feed's thread posts to the host window: it ends before the window goes.
  work_.Stop();
  host_ = nullptr;
  BarControl::Destroy();
}

LRESULT BannerControl::OnCommand(int, WPARAM, HWND, BarWindow& bar) {
  if (MayOpen(link_, LinkUse::kPage)) bar.Navigate(link_);
  return 0;
}

LRESULT BannerControl::OnNotify(NMHDR* header, BarWindow&) {
  TooltipText(header, tooltip_);
  return 0;
}

void BannerControl::RefreshFeed(void* p) {
  BannerControl* control = static_cast<BannerControl*>(p);
  OwnedGdi<HBITMAP> banner(static_cast<HBITMAP>(control->feed_.Refresh(100, 18)));
  if (!banner) return;
  if (control->work_.Cancelled()) return;  // the window goes: nobody will show it
  {
    MutexLock lock(control->readyLock_);
    // One that was never shown goes: a newer one is here.
    control->ready_ = std::move(banner);
    CopyBounded(control->readyLink_, control->feed_.Link());
    CopyBounded(control->readyTooltip_, control->feed_.Tooltip());
  }
  PostMessageA(control->host_, kBannerReadyMessage, 0, 0);
}

void BannerControl::ShowReady() {
  OwnedGdi<HBITMAP> banner;
  {
    MutexLock lock(readyLock_);
    banner = std::move(ready_);
    if (banner) {
      CopyBounded(link_, readyLink_);
      CopyBounded(tooltip_, readyTooltip_);
    }
  }
  if (!banner) return;
  if (normal_) ImageList_Replace(normal_.Get(), 0, banner.Get(), nullptr);  // a copy
  if (Toolbar()) InvalidateRect(Toolbar(), nullptr, FALSE);
}

void BannerControl::OnDocumentComplete(const char*) {
  if (!work_.Request()) RefreshFeed(this);  // no thread: the old way, on this one
}

void BannerControl::Refresh() { OnDocumentComplete(""); }

bool HomeButton::Create(HWND parent, int x) {
  normal_.Reset(LoadImages(services_.module, 18, 18, 1, IDB_HOME, 0));
  TBBUTTON buttons[] = {Separator(), Button(0, 0, 0), Separator()};
  if (!Build(parent, x, 18, 18, nullptr, 3, buttons)) return false;
  size_ = MaxSize(Toolbar());
  LeaveOffTextRoom(kSmallImage);
  return true;
}

LRESULT HomeButton::OnCommand(int, WPARAM, HWND, BarWindow& bar) {
  char home[kRequestUrlCapacity];
  services_.strings.Load(IDS_URL_HOME_BUTTON, home, sizeof home);
  bar.Navigate(home);
  return 0;
}

LRESULT HomeButton::OnNotify(NMHDR* header, BarWindow&) {
  TooltipString(header, services_.module, IDS_HOME_TIP);
  return 0;
}

MailIndicator::MailIndicator(BarServices& services)
    : services_(services),
      checker_(services, services.mailPollMilliseconds) {}

MailIndicator::~MailIndicator() { MailIndicator::Destroy(); }

bool MailIndicator::Create(HWND parent, int x) {
  normal_.Reset(LoadImages(services_.module, 18, 18, 2, IDB_MAIL, IDB_MAIL_MASK));
  TBBUTTON buttons[] = {Separator(0), Button(0, 1, 0)};
  if (!Build(parent, x, 18, 18, nullptr, 2, buttons)) return false;
  size_ = MaxSize(Toolbar());
  LeaveOffTextRoom(kSmallImage);
  view_.reset(new (std::nothrow) MailButtonView(Toolbar()));
  if (view_) checker_.SetView(view_.get());
  return true;
}

void MailIndicator::Destroy() {
  // The polling thread must stop using the window before it goes.
  checker_.SetView(nullptr);
  view_.reset();
  BarControl::Destroy();
}

LRESULT MailIndicator::OnCommand(int, WPARAM, HWND, BarWindow& bar) {
  if (MayOpen(checker_.WebMailUrl(), LinkUse::kPage)) bar.Navigate(checker_.WebMailUrl());
  return 0;
}

LRESULT MailIndicator::OnNotify(NMHDR* header, BarWindow&) {
  if (header->code != TTN_NEEDTEXTA) return 0;
  checker_.CopyTooltip(tooltip_, sizeof tooltip_);
  TooltipText(header, tooltip_);
  return 0;
}

void MailIndicator::OnDocumentComplete(const char*) { checker_.RequestCheck(); }
void MailIndicator::Refresh() { checker_.RequestCheck(); }

}  // namespace marvella
