// The mail checker: count, tooltip, image and beep, its own or the shared page, and the
// polling thread, which never outlives its checker (ThreadSanitizer and AddressSanitizer
// trees run these too).
#include "toolbar/MailChecker.h"

#include "tests/unit/toolbar/ToolbarFakes.h"
#include "toolbar/ToolbarTexts.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

using marvella::DownloadQueue;
using marvella::Event;
using marvella::MailChecker;
using marvella::MailIndicatorView;
using marvella::testing::ManualStarter;
using marvella::testing::MemoryFiles;
using marvella::testing::RecordingFetcher;
using marvella::testing::TableStrings;

namespace {

class View : public MailIndicatorView {
 public:
  void ShowMailImage(int image) override {
    std::lock_guard<std::mutex> lock(mutex);
    events.push_back("image " + std::to_string(image));
  }
  void Beep() override {
    std::lock_guard<std::mutex> lock(mutex);
    events.push_back("beep");
  }
  std::vector<std::string> Take() {
    std::lock_guard<std::mutex> lock(mutex);
    auto e = events;
    events.clear();
    return e;
  }
  std::mutex mutex;
  std::vector<std::string> events;
};

const char kCfg[] = "T:\\tandcfg.htm";
const char kOwn[] = "T:\\tandmail.htm";

std::string Page(const std::string& value) {
  return "<form><INPUT TYPE=HIDDEN NAME=\"WEBMAIL\" VALUE=\"" + value + "\"></form>";
}

class MailCheckerTest : public ::testing::Test {
 protected:
  // The polling pause is long: the tests check by hand unless they say otherwise. Waits
  // until the polling thread's first check has begun, so that it cannot mix with theirs.
  std::unique_ptr<MailChecker> Make(unsigned poll = 600000, bool waitForFirstCheck = true) {
    int maps = files.MapCount();
    auto checker =
        std::make_unique<MailChecker>(context, poll);
    if (waitForFirstCheck) WaitForMaps(maps + 1);
    return checker;
  }
  std::string Tooltip(MailChecker& c) {
    char text[260];
    c.CopyTooltip(text, sizeof text);
    return text;
  }
  // Waits until the polling thread has mapped the page at least n times.
  void WaitForMaps(int n) {
    for (int i = 0; i < 20000 && files.MapCount() < n; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }

  MemoryFiles files;
  TableStrings strings;
  RecordingFetcher fetcher;
  ManualStarter starter;
  DownloadQueue queue{fetcher, starter};
  marvella::BookmarkTables tables;
  marvella::FetchContext context{queue, "Tandem Marvella", strings, files, tables};
  View view;
};

}  // namespace

TEST_F(MailCheckerTest, ImageAndBeepOnlyWhenZeroOrNotZeroChangesTooltipAtEveryCount) {
  auto checker = Make();
  checker->SetView(&view);
  EXPECT_EQ("not connected", Tooltip(*checker));
  struct Step {
    const char* count;
    const char* tooltip;
    std::vector<std::string> events;
  } steps[] = {
      {"0", "none", {}},          {"3", "3 new", {"image 1", "beep"}}, {"5", "5 new", {}},
      {"0", "none", {"image 0"}}, {"1", "one", {"image 1", "beep"}},   {"2", "2 new", {}},
  };
  for (const Step& s : steps) {
    files.Put(kCfg, Page(s.count));
    checker->Check();
    EXPECT_EQ(s.tooltip, Tooltip(*checker)) << s.count;
    EXPECT_EQ(s.events, view.Take()) << s.count;
  }
}

TEST_F(MailCheckerTest, UnreadableCountsChangeNothing) {
  auto checker = Make();
  checker->SetView(&view);
  files.Put(kCfg, Page("4x"));
  checker->Check();
  EXPECT_EQ("4 new", Tooltip(*checker));
  view.Take();
  for (std::string page : {std::string("<INPUT TYPE=HIDDEN NAME=\"WEBMAIL\" VALUE = \"0\">"),
                           std::string("<INPUT TYPE=HIDDEN NAME=\"TOKENS\" VALUE=\"0\">"),
                           Page("-1"), std::string()}) {
    files.Put(kCfg, page);
    checker->Check();
    EXPECT_EQ("4 new", Tooltip(*checker));
  }
  files.Delete(kCfg);
  checker->Check();
  EXPECT_EQ("4 new", Tooltip(*checker));
  EXPECT_TRUE(view.Take().empty());
}

// A count that arrived before the indicator's window shows as soon as the window does,
// without the beep of news.
TEST_F(MailCheckerTest, ACountReadBeforeTheWindowExistsShowsWhenItArrives) {
  auto checker = Make();
  files.Put(kCfg, Page("2"));
  checker->Check();
  EXPECT_EQ("2 new", Tooltip(*checker));
  checker->SetView(&view);
  EXPECT_EQ((std::vector<std::string>{"image 1"}), view.Take());
  checker->Check();  // still not zero: nothing more to show
  EXPECT_TRUE(view.Take().empty());
  files.Put(kCfg, Page("0"));
  checker->Check();
  EXPECT_EQ((std::vector<std::string>{"image 0"}), view.Take());
}

TEST_F(MailCheckerTest, SharedPageIsNeverFetchedByTheChecker) {
  auto checker = Make();
  files.Put(kCfg, Page("3"));
  checker->Check();
  EXPECT_EQ("3 new", Tooltip(*checker));  // read from the configuration page
  starter.RunAll();
  EXPECT_EQ(0, starter.starts);  // nothing queued
  EXPECT_TRUE(fetcher.Downloads().empty());
  checker.reset();
  EXPECT_TRUE(files.Deleted().empty());
}

TEST_F(MailCheckerTest, OwnPageIsDeletedFetchedAndSkippedWhileItsDownloadRuns) {
  strings.texts[IDS_URL_MAIL] = "http://test/cgi-bin/mail";
  files.Put(kOwn, Page("9"));
  auto checker = Make();
  EXPECT_FALSE(files.Has(kOwn));  // an old page of another toolbar is not ours
  checker->SetView(&view);
  checker->Check();
  ASSERT_EQ(1, starter.starts);

  int mapsDuring = -1;
  std::string tooltipDuring;
  fetcher.during = [&](const RecordingFetcher::Download& d) {
    files.Put(d.destination, Page("6"));
    int before = files.MapCount();
    checker->Check();  // its own download runs: nothing at all, not even the parse
    mapsDuring = files.MapCount() - before;
    tooltipDuring = Tooltip(*checker);
  };
  starter.RunAll();
  EXPECT_EQ(0, mapsDuring);
  EXPECT_EQ("not connected", tooltipDuring);
  EXPECT_EQ("http://test/cgi-bin/mail", fetcher.Downloads()[0].url);
  EXPECT_EQ(kOwn, fetcher.Downloads()[0].destination);
  checker->Check();
  EXPECT_EQ("6 new", Tooltip(*checker));
  EXPECT_EQ((std::vector<std::string>{"image 1", "beep"}), view.Take());
  EXPECT_EQ(1u, fetcher.Downloads().size());  // the check during it fetched nothing
  checker.reset();
  EXPECT_FALSE(files.Has(kOwn));
}

TEST_F(MailCheckerTest, WebMailAddressComesFromTheTables) {
  auto internal = std::make_unique<marvella::InternalSettings>();
  std::strcpy(internal->webMail, "http://p/correo");
  marvella::SearchEngineTable e{};
  marvella::PersonalizationLinks p{};
  marvella::PortalLinks l{};
  tables.Store(e, p, l, *internal);
  EXPECT_STREQ("http://p/correo", Make()->WebMailUrl());
}

// Each toolbar's checker polls on its own: one that goes leaves the others polling.
TEST_F(MailCheckerTest, PollingThreadChecksAfterEachPauseUntilItsCheckerGoes) {
  files.Put(kCfg, Page("1"));
  auto checker = Make(1);
  auto other = Make(1, false);
  WaitForMaps(6);
  EXPECT_GE(files.MapCount(), 6);
  EXPECT_EQ("one", Tooltip(*checker));
  checker.reset();  // joined: the other one polls on
  files.Put(kCfg, Page("0"));
  int maps = files.MapCount();
  WaitForMaps(maps + 2);
  EXPECT_GE(files.MapCount(), maps + 2);
  EXPECT_EQ("none", Tooltip(*other));
}

// A check asked from the window's thread runs on the polling thread.
TEST_F(MailCheckerTest, RequestedChecksRunOnThePollingThread) {
  std::atomic<bool> onCaller{false};
  const std::thread::id caller = std::this_thread::get_id();
  files.onMap = [&] { onCaller = std::this_thread::get_id() == caller; };
  files.Put(kCfg, Page("2"));
  auto checker = Make();
  int maps = files.MapCount();
  checker->RequestCheck();
  WaitForMaps(maps + 1);
  EXPECT_FALSE(onCaller.load());
  EXPECT_EQ("2 new", Tooltip(*checker));
}

// Destroying the checker while its thread sleeps must not wait the three minutes.
TEST_F(MailCheckerTest, DestructionWakesTheSleepingThread) {
  auto checker = Make(marvella::kMailPollMilliseconds);
  std::this_thread::sleep_for(std::chrono::milliseconds(50));  // its check done, it sleeps
  auto start = std::chrono::steady_clock::now();
  checker.reset();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30))
      << "the destructor waited for the polling pause";
}

// Destroyed on another thread while its polling thread is inside a check: the destructor
// waits for that check, and nothing touches the checker afterwards.
TEST_F(MailCheckerTest, DestructionDuringACheckWaitsForItAndNothingRunsAfter) {
  Event inside, release;
  std::atomic<bool> first{true};
  files.onMap = [&] {
    if (!first.exchange(false)) return;
    inside.Set();
    release.WaitFor(60000);
  };
  files.Put(kCfg, Page("3"));
  auto checker = Make(marvella::kMailPollMilliseconds);
  ASSERT_TRUE(inside.WaitFor(60000));
  std::atomic<bool> destroyed{false};
  std::thread destroyer([&] {
    checker.reset();
    destroyed = true;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_FALSE(destroyed.load());
  release.Set();
  destroyer.join();
  EXPECT_TRUE(destroyed.load());
  int maps = files.MapCount();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(maps, files.MapCount());
}

TEST(MailText, CountsFillTheTemplate) {
  char text[260];
  marvella::FormatCount(text, sizeof text, "Tienes %d mensajes", 12);
  EXPECT_STREQ("Tienes 12 mensajes", text);
  marvella::FormatCount(text, sizeof text, "%d%% de %d", -5);
  EXPECT_STREQ("-5% de -5", text);
  marvella::FormatCount(text, 8, "abc %d def", 123456);
  EXPECT_STREQ("abc 123", text);
  marvella::FormatCount(text, sizeof text, "%d", -2147483647 - 1);
  EXPECT_STREQ("-2147483648", text);
}
