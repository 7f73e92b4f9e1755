// The show button, the banner, the home button and the mail indicator.
#include "toolbar/win32/BarControls.h"

#include "toolbar/BarTexts.h"
#include "toolbar/ToolbarTexts.h"
#include "toolbar/win32/BarWindow.h"

#include <new>

namespace marvella {

namespace {
// The room for a text beside each image that some common controls report and these
// buttons do not use.
constexpr int kSmallImage = 18;
constexpr int kBannerImage = 100;
}  // namespace

bool ShowButton::Create(HWND parent, int x) {
  normal_ = LoadImages(services_.module, 18, 18, 1, IDB_HOME, 0);
  TBBUTTON button = Button(0, 0, 0);
  if (!Build(parent, x, 18, 18, nullptr, 1, &button)) return false;
  size_ = MeasureButtons(toolbar_);
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
      feed_(services.queue, services.agent, services.strings, services.files, services.tables,
            services.bitmaps, services.convert) {}

bool BannerControl::Create(HWND parent, int x) {
  normal_ = LoadImages(services_.module, 100, 18, 1, IDB_BANNER, IDB_BANNER_MASK);
  TBBUTTON button = Button(0, 0, 0);
  if (!Build(parent, x, 100, 18, nullptr, 1, &button)) return false;
  size_ = MeasureButtons(toolbar_);
  LeaveOffTextRoom(kBannerImage);
  return true;
}

LRESULT BannerControl::OnCommand(int, WPARAM, HWND, BarWindow& bar) {
  bar.Navigate(feed_.Link());
  return 0;
}

LRESULT BannerControl::OnNotify(NMHDR* header, BarWindow&) {
  TooltipText(header, feed_.Tooltip());
  return 0;
}

void BannerControl::OnDocumentComplete(const char*) {
  HBITMAP banner = static_cast<HBITMAP>(feed_.Refresh(100, 18));
  if (banner) {
    if (normal_) ImageList_Replace(normal_, 0, banner, nullptr);
    DeleteObject(banner);
  }
  if (!toolbar_) return;
  InvalidateRgn(toolbar_, nullptr, FALSE);
  UpdateWindow(toolbar_);
}

void BannerControl::Refresh() { OnDocumentComplete(""); }

bool HomeButton::Create(HWND parent, int x) {
  normal_ = LoadImages(services_.module, 18, 18, 1, IDB_HOME, 0);
  TBBUTTON buttons[] = {Separator(), Button(0, 0, 0), Separator()};
  if (!Build(parent, x, 18, 18, nullptr, 3, buttons)) return false;
  size_ = MaxSize(toolbar_);
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
      checker_(services.queue, services.agent, services.strings, services.files, services.tables,
               services.mailStop, services.mailPollMilliseconds) {}

MailIndicator::~MailIndicator() { MailIndicator::Destroy(); }

bool MailIndicator::Create(HWND parent, int x) {
  normal_ = LoadImages(services_.module, 18, 18, 2, IDB_MAIL, IDB_MAIL_MASK);
  TBBUTTON buttons[] = {Separator(0), Button(0, 1, 0)};
  if (!Build(parent, x, 18, 18, nullptr, 2, buttons)) return false;
  size_ = MaxSize(toolbar_);
  LeaveOffTextRoom(kSmallImage);
  view_.reset(new (std::nothrow) MailButtonView(toolbar_));
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
  bar.Navigate(checker_.WebMailUrl());
  return 0;
}

LRESULT MailIndicator::OnNotify(NMHDR* header, BarWindow&) {
  if (header->code != TTN_NEEDTEXTA) return 0;
  checker_.CopyTooltip(tooltip_, sizeof tooltip_);
  TooltipText(header, tooltip_);
  return 0;
}

void MailIndicator::OnDocumentComplete(const char*) { checker_.Check(); }
void MailIndicator::Refresh() { checker_.Check(); }

}  // namespace marvella
