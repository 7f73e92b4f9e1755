// tandem.dll registered as it ships (with the service on loopback) and loaded by the test
// browser, checked from outside in one walk: the band's place in the rebar, "Hide" at
// insertion, the show button, clicks that navigate the window holding the toolbar, banner
// and mail following the service, the version offer, two windows on two threads, and the
// rebar given back its procedure when the band is unsited.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "tests/win32/browser/ToolbarInBrowser.h"
#include "tests/win32/support/Screenshot.h"
#include "tests/win32/support/TestPrograms.h"
#include "tests/win32/support/WindowDriver.h"
#include "toolbar/BarTexts.h"

namespace {

using namespace marvella::test;

std::string Last(const std::vector<std::string>& lines) { return lines.empty() ? "" : lines.back(); }

enum Visible { kBanner, kHome, kTools, kSearch, kMail, kMenus, kExpanded };

// One window of the run, and the toolbar in its rebar.
class Window {
 public:
  Window(BrowserRun& run, int number) : run_(run), number_(std::to_string(number)) {
    open_ = Last(run.WaitLines("open " + number_ + " ", 1));
    frame_ = HandleIn(open_, "frame");
    rebar_ = HandleIn(open_, "rebar");
    run.WaitLines("ready " + number_ + " ", 1);
    // The window's thread builds the controls once the window has opened; a host window
    // without them shows none.
    WaitUntil([&] {
      ToolbarWindows t = Toolbar();
      return !t.bar || !t.visible.empty();
    });
  }
  HWND Frame() const { return frame_; }
  std::string Thread() const { return open_.substr(open_.find("thread=")); }
  ToolbarWindows Toolbar() const { return FindToolbar(rebar_); }
  HWND Control(Visible which) const {
    ToolbarWindows t = Toolbar();
    return t.visible.size() == kExpanded ? t.visible[which] : nullptr;
  }
  // The address a click on a control made this window open, once its document completed.
  std::string Click(Visible which, int x = 0) {
    size_t navigations = Navigations().size(), completed = Completed();
    ClickAt(Control(which), x);
    if (!WaitUntil([&] { return Navigations().size() > navigations && Completed() > completed; }))
      return "<none>";
    return Last(Navigations()).substr(("navigate " + number_ + " ").size());
  }
  std::vector<std::string> Navigations() const {
    return Matching(run_.Journal(), "navigate " + number_ + " ");
  }
  size_t Completed() const {
    return Matching(run_.Journal(), "handled " + number_ + " DocumentComplete top").size();
  }
  int MailImage() const { return int(SendMessageA(Control(kMail), TB_GETBITMAP, 1, 0)); }
  // Home clicks complete documents until shown() holds.
  bool CompleteDocumentsUntil(const std::function<bool()>& shown) {
    for (int i = 0; i < 30; ++i) {
      if (WaitUntil(shown, 1000)) return true;
      Click(kHome);
    }
    return shown();
  }

 private:
  BrowserRun& run_;
  std::string number_, open_;
  HWND frame_ = nullptr, rebar_ = nullptr;
};

DWORD ProcessOf(const BrowserRun& run) {
  std::string start = Last(run.WaitLines("start ", 1));
  return DWORD(std::atoi(start.c_str() + start.find("pid=") + 4));
}

}  // namespace

TEST(ToolbarInBrowser, RegisteredToolbarLivesInTheBrowsersWindows) {
  const std::string home = ServiceUrl() + "/";
  for (const char* set : {"/admin/reset", "/admin/set?banner=1", "/admin/set?mail=0",
                          "/admin/set?lastversion=1.01"})
    Service(set);
  SetSetting("Hide", nullptr);
  SetSetting("LastAskedVersion", nullptr);
  // A layout stored by another build: the first window's band goes in at it, and is
  // resized to the controls once they are built, which store their own.
  const std::string storedLayout = Setting("Layout");
  SetSetting("Layout", "1 1 1 1 1");
  RegisteredToolbar toolbar;
  ASSERT_TRUE(toolbar.Registered());
  std::string script = "open " + home + "\nwait-idle\nappend-band Vínculos\nbands\nwait-file go1\n";
  for (const char* next : {"go2", "go3", "go4"})
    script += "open " + home + "\nwait-idle\nwait-file " + next + "\n";
  script += "close-window 1\nwait-file go5\nquit\n";
  BrowserRun run("toolbar-walk", script);
  ASSERT_TRUE(run.Started());
  DWORD browser = ProcessOf(run);

  // The band went in last and stays last after the browser appended its links band, which
  // sees one band less than the rebar holds.
  Window first(run, 1);
  std::string bands = Last(run.WaitLines("bands 1 ", 1));
  EXPECT_NE(std::string::npos, bands.find("bands 1 seen=3 real=4 ")) << bands;
  EXPECT_EQ(",100:ToolbarWindow32,65535:TandemBarClass:break",
            bands.substr(bands.rfind(",100:"))) << bands;
  ToolbarWindows expanded = first.Toolbar();
  EXPECT_EQ(size_t(kExpanded), expanded.visible.size());
  EXPECT_EQ(1u, expanded.hidden.size());  // the show button
  int left = 0, height = 0, full = 0, shownWidth = 0, shownHeight = 0;
  const std::string layout = Setting("Layout");
  ASSERT_EQ(5, std::sscanf(layout.c_str(), "%d %d %d %d %d", &left, &height, &full, &shownWidth,
                           &shownHeight))
      << layout;
  RECT bar;
  GetClientRect(expanded.bar, &bar);
  EXPECT_EQ(height, bar.bottom) << layout;  // the band's row is the controls' height
  EXPECT_GE(bar.right, left) << layout;
  EXPECT_GT(full, left) << layout;
  ASSERT_TRUE(first.Control(kMail));

  // Banner (before the service names one), home and mail open their pages in this window.
  EXPECT_EQ(home, first.Click(kHome));
  EXPECT_EQ(0, first.MailImage());
  std::string mail = first.Click(kMail, -8);
  EXPECT_EQ(ServiceUrl(), mail.substr(0, ServiceUrl().size())) << mail;
  // The service's banner 1 arrives, image with link; then the service moves to banner 2 and
  // three new mails, and completed documents bring both in. A banner is converted at the
  // first completed document after its image has arrived.
  const std::string images = run.Folder() + "tnb*.jpg";  // each window's feed has its own
  auto imageHere = [&] {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(images.c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
    return search != INVALID_HANDLE_VALUE;
  };
  // Each click completes a document; the feed skips one while its own download runs, so
  // under load the clicks are spaced out and bounded by time, not by their number.
  auto bannerLink = [&](const std::string& want) {
    std::string link;
    for (DWORD start = GetTickCount(); link != want && GetTickCount() - start < 120000;) {
      WaitUntil(imageHere, 2000);
      link = first.Click(kBanner);
      if (link != want) Sleep(500);
    }
    return link;
  };
  EXPECT_EQ(home + "promo/1", bannerLink(home + "promo/1"));
  EXPECT_EQ("<none>", Setting("LastAskedVersion"));  // 1.01 is no newer version
  std::string before = Pixels(first.Control(kBanner));
  Service("/admin/set?banner=2");
  Service("/admin/set?mail=3");
  EXPECT_TRUE(first.CompleteDocumentsUntil([&] { return first.MailImage() == 1; }));
  EXPECT_EQ(home + "promo/2", bannerLink(home + "promo/2"));
  EXPECT_TRUE(WaitUntil([&] { return Pixels(first.Control(kBanner)) != before; }));
  EXPECT_EQ(nullptr, WaitForProcessDialog(browser, nullptr, 0));
  SaveWindowScreenshot(first.Frame(), "browser-toolbar-expanded");

  // The service offers version 1.02: the second window fetches that bookmarks file, the
  // third reads it and offers the version at its first completed document; yes opens the
  // version's page in that window. Once only.
  Service("/admin/set?lastversion=1.02");
  // "Hide" at insertion: only "1" starts collapsed.
  const std::string bookmarks = run.Folder() + "tandbkmk.ini";
  struct {
    const char* hide;
    const char* go;
    bool collapsed;
  } const hides[] = {{"0", "go1", false}, {"1 ", "go2", false}, {"1", "go3", true}};
  for (int number = 2; number <= 4; ++number) {
    const auto& h = hides[number - 2];
    SetSetting("Hide", h.hide);
    run.Go(h.go);
    Window w(run, number);
    if (number == 2) {  // the file of version 1.02 is here before the third window reads it
      EXPECT_TRUE(WaitUntil([&] {
        std::vector<std::string> lines = ReadWholeLines(bookmarks);
        return std::count(lines.begin(), lines.end(), "LastVersion=1.02") == 1;
      }));
    }
    if (number == 3) {
      HWND box = WaitForProcessDialog(browser, nullptr, 60000);
      ASSERT_TRUE(box);
      EXPECT_EQ(IDS_NEW_VERSION_TEXT, MessageBoxText(box));
      PressButton(box, IDYES);
      EXPECT_EQ("navigate 3 " + home + "descargas/tandem.htm",
                Last(run.WaitLines("navigate 3 " + home + "descargas/", 1)));
      EXPECT_TRUE(WaitUntil([] { return Setting("LastAskedVersion") == "1.02"; }));
    }
    // The menu bar is built again once the window's bookmarks read is done: wait for it.
    const size_t visible = h.collapsed ? 1u : size_t(kExpanded);
    WaitUntil([&] { return w.Toolbar().visible.size() == visible; });
    EXPECT_EQ(visible, w.Toolbar().visible.size()) << h.hide;
  }
  // The last one, collapsed: its show button expands it and stores "0".
  Window fourth(run, 4);
  EXPECT_NE(first.Thread(), fourth.Thread());
  SaveWindowScreenshot(fourth.Frame(), "browser-toolbar-collapsed");
  ToolbarWindows collapsed = fourth.Toolbar();
  ASSERT_EQ(1u, collapsed.visible.size());
  ClickAt(collapsed.visible[0], 0);
  EXPECT_TRUE(WaitUntil([&] { return fourth.Toolbar().visible.size() == kExpanded; }));
  EXPECT_TRUE(WaitUntil([] { return Setting("Hide") == "0"; })) << Setting("Hide");

  // The first window closes; the fourth, on its own thread, still follows the mail count.
  run.Go("go4");
  run.WaitLines("closed 1 ", 1);
  EXPECT_TRUE(fourth.CompleteDocumentsUntil([&] { return fourth.MailImage() == 1; }));
  Service("/admin/set?mail=0");
  EXPECT_TRUE(fourth.CompleteDocumentsUntil([&] { return fourth.MailImage() == 0; }));
  EXPECT_EQ(home, fourth.Click(kHome));
  EXPECT_EQ(nullptr, WaitForProcessDialog(browser, nullptr, 0));  // offered once only
  run.Go("go5");

  // Every window unsited its toolbar, which gave the rebar its own procedure back.
  EXPECT_EQ(0u, run.Finish());
  std::vector<std::string> journal = run.Journal();
  std::vector<std::string> unsites = Matching(journal, "unsite ");
  EXPECT_EQ(4u, unsites.size());
  for (const std::string& line : unsites)
    EXPECT_NE(std::string::npos, line.find("result=0x00000000 rebar-proc=own")) << line;
  ExpectClosedCleanly(journal, 4);
  SetSetting("Hide", nullptr);
  SetSetting("LastAskedVersion", nullptr);
  SetSetting("Layout", storedLayout == "<none>" ? nullptr : storedLayout.c_str());
}
