// Figures, not assertions: the registered toolbar in the test browser under Wine. Band
// insertion (SetSite until the band is in the rebar; the controls are built from the
// window's loop once it has opened), the toolbar's share of one document-complete broadcast
// on the window's thread, opening a browser window with the toolbar registered against
// opening one without it, and the toolbar's own share of each opening (making and siting
// the object, as the browser times them).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tests/win32/browser/ToolbarInBrowser.h"

namespace {

using namespace marvella::test;

constexpr int kWindows = 12;
constexpr int kDocuments = 60;

// The microseconds after "us=" in each line, in milliseconds.
std::vector<double> Figures(const std::vector<std::string>& lines) {
  std::vector<double> ms;
  for (const std::string& line : lines) {
    size_t at = line.rfind(" us=");
    if (at != std::string::npos) ms.push_back(std::atof(line.c_str() + at + 4) / 1000.0);
  }
  std::sort(ms.begin(), ms.end());
  return ms;
}

double Median(const std::vector<double>& ms) { return ms.empty() ? 0 : ms[ms.size() / 2]; }

void Print(const char* what, const std::vector<double>& ms) {
  std::printf("%s: median %.3f ms, worst %.3f ms over %u\n", what, Median(ms),
              ms.empty() ? 0 : ms.back(), unsigned(ms.size()));
}

// A first window that stays open, as the user's first one does (the library stays loaded);
// more windows opened and closed one after the other; then documents completed in the first.
std::vector<std::string> Journal(const char* name, const std::string& options) {
  const std::string home = ServiceUrl() + "/";
  std::string script = "open " + home + "\nwait-idle\n";
  for (int i = 0; i < kWindows; ++i) script += "open " + home + "\nwait-idle\nclose-window\n";
  script += "window 1\n";
  for (int i = 0; i < kDocuments; ++i) script += "navigate " + home + "\nwait-idle\n";
  script += "quit\n";
  BrowserRun run(name, script, options);
  EXPECT_TRUE(run.Started());
  EXPECT_EQ(0u, run.Finish());
  return run.Journal();
}

}  // namespace

TEST(ToolbarBench, InsertionBroadcastAndWindowOpening) {
  Service("/admin/reset");
  SetSetting("Hide", nullptr);
  std::vector<std::string> with, without;
  {
    RegisteredToolbar toolbar;
    ASSERT_TRUE(toolbar.Registered());
    // A user's sessions after the first put the band in at the layout the first one
    // stored: one session first, if none has yet.
    if (Setting("Layout") == "<none>") {
      BrowserRun first("toolbar-bench-layout", "open " + ServiceUrl() + "/\nwait-idle\nquit\n", "");
      EXPECT_EQ(0u, first.Finish());
    }
    with = Journal("toolbar-bench", "");
    without = Journal("toolbar-bench-none", "--no-helpers");
  }
  // The first window loads the library; the figures are those of the windows after it.
  std::vector<double> first = Figures(Matching(with, "ready 1 "));
  std::vector<double> firstPlain = Figures(Matching(without, "ready 1 "));
  auto later = [](const std::vector<std::string>& journal, const char* what) {
    std::vector<std::string> lines = Matching(journal, what);
    lines.erase(std::remove_if(lines.begin(), lines.end(),
                               [what](const std::string& l) {
                                 return l.compare(0, std::strlen(what) + 2,
                                                  std::string(what) + "1 ") == 0;
                               }),
                lines.end());
    return Figures(lines);
  };
  std::vector<double> insertion = later(with, "helper ");
  // The toolbar's own share of each window, as the browser times it: making the object and
  // siting it. Frame creation varies from window to window by far more than that.
  auto share = [&with](bool first) {
    std::vector<std::string> made = Matching(with, "created "), sited = Matching(with, "helper ");
    std::vector<double> sums;
    for (size_t i = 0; i < made.size() && i < sited.size(); ++i) {
      if ((made[i].compare(0, 10, "created 1 ") == 0) != first) continue;
      std::vector<double> both = Figures({made[i], sited[i]});
      if (both.size() == 2) sums.push_back(both[0] + both[1]);
    }
    std::sort(sums.begin(), sums.end());
    return sums;
  };
  std::vector<double> ownShare = share(false), firstShare = share(true);
  std::vector<double> broadcast = Figures(Matching(with, "handled 1 DocumentComplete"));
  std::vector<double> opened = later(with, "ready ");
  std::vector<double> plain = later(without, "ready ");
  ASSERT_FALSE(insertion.empty() || broadcast.empty() || opened.empty() || plain.empty());
  Print("first browser window, loading the library", first);
  Print("first browser window without the toolbar", firstPlain);
  Print("band insertion (SetSite, band in the rebar)", insertion);
  Print("document-complete broadcast (the toolbar's sinks, window thread)", broadcast);
  Print("browser window opened with the toolbar", opened);
  Print("browser window opened without it", plain);
  std::printf("window opening with/without the toolbar: %.2f (goal <= 1.10)\n",
              Median(opened) / Median(plain));
  std::printf("added per window (median with minus without): %.3f ms (goal <= 5)\n",
              Median(opened) - Median(plain));
  std::printf("added to the first window (with minus without): %.3f ms (goal <= 20)\n",
              Median(first) - Median(firstPlain));
  Print("the toolbar's own share of a window (CoCreateInstance and SetSite)", ownShare);
  Print("its share of the first window (the library's load included)", firstShare);
}
