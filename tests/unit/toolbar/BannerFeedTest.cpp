// The banner feed's refresh: what it converts, parses and queues, in which order, and when
// the tooltip and link change.
#include "toolbar/BannerFeed.h"

#include "tests/unit/toolbar/ToolbarFakes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <vector>

using marvella::BannerFeed;
using marvella::BitmapHandle;
using marvella::BitmapLoader;
using marvella::BookmarkTables;
using marvella::DownloadQueue;
using marvella::testing::ManualStarter;
using marvella::testing::MemoryFiles;
using marvella::testing::RecordingFetcher;
using marvella::testing::TableStrings;

namespace {

// The conversion stand-in: succeeds when the "JPEG" holds the text "jpeg".
MemoryFiles* g_files;
int g_conversions;
int Convert(const char* jpeg, const char* bmp) {
  ++g_conversions;
  if (g_files->Get(jpeg) != "jpeg") return 1;
  g_files->Put(bmp, "BM");
  return 0;
}

class Loader : public BitmapLoader {
 public:
  BitmapHandle LoadBitmapFile(const char* path, int width, int height) override {
    loads.push_back(std::string(path) + " " + std::to_string(width) + "x" + std::to_string(height));
    return reinterpret_cast<BitmapHandle>(0xB17);
  }
  std::vector<std::string> loads;
};

const std::string kCfg = "T:\\tandcfg.htm";
const std::string kHits = "T:\\stats.bin";

std::string AnchorPage(const std::string& n, bool alt = true) {
  return "<A HREF=\"http://p/go" + n + "\"><IMG SRC=\"http://p/b" + n + ".jpg\"" +
         (alt ? " ALT=\"banner " + n + "\"" : std::string()) + "></A>";
}

class BannerFeedTest : public ::testing::Test {
 protected:
  BannerFeedTest() {
    g_files = &files;
    g_conversions = 0;
    SetLog("http://p/log");
  }
  void SetLog(const char* url) {
    auto engines = std::make_unique<marvella::SearchEngineTable>();
    auto personal = std::make_unique<marvella::PersonalizationLinks>();
    auto portal = std::make_unique<marvella::PortalLinks>();
    auto internal = std::make_unique<marvella::InternalSettings>();
    std::strcpy(internal->log, url);
    tables.Store(*engines, *personal, *portal, *internal);
  }
  // What the worker fetched since the last call, as "url > file".
  std::vector<std::string> Fetched() {
    starter.RunAll();
    std::vector<std::string> all;
    for (auto& d : fetcher.Downloads()) all.push_back(d.url + " > " + d.destination);
    std::vector<std::string> fresh(all.begin() + static_cast<long>(seen_), all.end());
    seen_ = all.size();
    return fresh;
  }
  // Downloads write what the server has: images as "jpeg", the page as given.
  void Serve(const std::string& page) {
    fetcher.during = [this, page](const RecordingFetcher::Download& d) {
      if (d.destination == jpeg) files.Put(jpeg, "jpeg");
      if (d.destination == kCfg) files.Put(kCfg, page);
    };
  }
  // A feed deletes its own image files when it is made, after the page: their names.
  std::unique_ptr<BannerFeed> MakeNoting(unsigned long processId, std::string* image,
                                         std::string* bitmap) {
    auto made = std::make_unique<BannerFeed>(context, loader, Convert, processId);
    auto deleted = files.Deleted();
    *image = deleted[deleted.size() - 2];
    *bitmap = deleted.back();
    return made;
  }
  BannerFeed* Make() {
    feed = MakeNoting(0, &jpeg, &bmp);
    return feed.get();
  }

  MemoryFiles files;
  TableStrings strings;
  RecordingFetcher fetcher;
  ManualStarter starter;
  DownloadQueue queue{fetcher, starter};
  BookmarkTables tables;
  marvella::FetchContext context{queue, "Tandem Marvella", strings, files, tables};
  Loader loader;
  std::unique_ptr<BannerFeed> feed;
  std::string jpeg, bmp;  // the feed's own files
  std::size_t seen_ = 0;
};

}  // namespace

// Windows of one process each show their own banner: no feed converts, deletes or adopts
// another's image, and the configuration page they share lives while one of them does.
TEST_F(BannerFeedTest, EachFeedHasItsOwnImageFilesAndTheProcessOneConfigurationPage) {
  files.Put(kCfg, "old");
  files.Put(kHits, "old");
  BannerFeed* f = Make();
  EXPECT_STREQ("portal label", f->Tooltip());
  EXPECT_STREQ("http://test/", f->Link());
  EXPECT_FALSE(files.Has(kCfg));  // the first feed clears an earlier process's page
  EXPECT_TRUE(files.Has(kHits));  // never read, never cleared
  std::string otherJpeg, otherBmp;
  auto other = MakeNoting(0x1c, &otherJpeg, &otherBmp);
  EXPECT_EQ(0u, otherJpeg.find("T:\\tnb1c-")) << otherJpeg;
  EXPECT_EQ(otherJpeg.substr(0, otherJpeg.size() - 3) + "bmp", otherBmp);
  EXPECT_NE(jpeg, otherJpeg);
  EXPECT_EQ(0u, jpeg.find("T:\\tnb0-")) << jpeg;
  EXPECT_EQ(jpeg.substr(jpeg.size() - 4), ".jpg");

  files.Put(kCfg, AnchorPage("1"));
  Serve(AnchorPage("1"));
  f->Refresh(100, 18);
  Fetched();  // this feed's image arrives
  int conversions = g_conversions;
  EXPECT_EQ(nullptr, other->Refresh(100, 18));
  EXPECT_EQ(conversions, g_conversions);  // nothing of its own to convert
  EXPECT_TRUE(files.Has(kCfg));
  EXPECT_TRUE(files.Has(jpeg));
  EXPECT_NE(nullptr, f->Refresh(100, 18));
  EXPECT_STREQ("http://p/go1", f->Link());
  EXPECT_STREQ("http://test/", other->Link());

  files.Put(bmp, "x");
  feed.reset();  // not the last feed: the page stays for the other
  EXPECT_TRUE(files.Has(kCfg));
  EXPECT_FALSE(files.Has(bmp));
  other.reset();
  EXPECT_FALSE(files.Has(kCfg));
}

TEST_F(BannerFeedTest, AnAnchorTakesEffectOnceItsImageHasArrived) {
  BannerFeed* f = Make();
  Serve(AnchorPage("1"));
  EXPECT_EQ(nullptr, f->Refresh(100, 18));  // nothing yet: only the page is fetched
  EXPECT_EQ((std::vector<std::string>{"http://test/cgi-bin/mailtand > " + kCfg}), Fetched());

  EXPECT_EQ(nullptr, f->Refresh(100, 18));  // page here, image not yet
  EXPECT_STREQ("portal label", f->Tooltip());
  EXPECT_EQ((std::vector<std::string>{"http://p/b1.jpg > " + jpeg, "http://p/log > " + kHits,
                                      "http://test/cgi-bin/mailtand > " + kCfg}),
            Fetched());

  Serve(AnchorPage("2"));
  EXPECT_EQ(reinterpret_cast<BitmapHandle>(0xB17), f->Refresh(100, 18));
  EXPECT_EQ((std::vector<std::string>{bmp + " 100x18"}), loader.loads);
  EXPECT_STREQ("banner 1", f->Tooltip());
  EXPECT_STREQ("http://p/go1", f->Link());
  EXPECT_EQ((std::vector<std::string>{"http://p/b1.jpg > " + jpeg, "http://p/log > " + kHits,
                                      "http://test/cgi-bin/mailtand > " + kCfg}),
            Fetched());  // the page parsed now is the one fetched last time

  EXPECT_NE(nullptr, f->Refresh(100, 18));  // banner 1 fetched again; page 2 parsed now
  EXPECT_STREQ("http://p/go1", f->Link());
  EXPECT_EQ(nullptr, f->Refresh(100, 18));  // banner 2's image is on its way
  EXPECT_STREQ("http://p/go1", f->Link());
  Fetched();
  EXPECT_NE(nullptr, f->Refresh(100, 18));
  EXPECT_STREQ("http://p/go2", f->Link());
  EXPECT_STREQ("banner 2", f->Tooltip());
}

// A new anchor whose image does not arrive, or has not arrived yet, leaves the banner shown
// with its own link and tooltip; the link always comes with the image it was parsed with.
TEST_F(BannerFeedTest, ALinkNeverGoesWithAnotherAnchorsImage) {
  BannerFeed* f = Make();
  files.Put(kCfg, AnchorPage("1"));
  Serve(AnchorPage("2"));
  f->Refresh(100, 18);
  Fetched();  // banner 1's image arrives, page 2 is here
  ASSERT_NE(nullptr, f->Refresh(100, 18));
  EXPECT_STREQ("http://p/go1", f->Link());
  fetcher.during = [this](const RecordingFetcher::Download& d) {
    if (d.destination == kCfg) files.Put(kCfg, AnchorPage("3"));  // no image for anyone
  };
  Fetched();  // banner 2's image fails
  EXPECT_EQ(nullptr, f->Refresh(100, 18));
  EXPECT_STREQ("http://p/go1", f->Link());
  EXPECT_STREQ("banner 1", f->Tooltip());

  // Banner 3's image is still queued when the page names banner 4: 4 waits for 3.
  files.Put(kCfg, AnchorPage("4"));
  EXPECT_EQ(nullptr, f->Refresh(100, 18));
  Serve(AnchorPage("4"));
  std::vector<std::string> served = Fetched();
  EXPECT_EQ(1, std::count(served.begin(), served.end(), "http://p/b3.jpg > " + jpeg));
  EXPECT_EQ(0, std::count(served.begin(), served.end(), "http://p/b4.jpg > " + jpeg));
  EXPECT_NE(nullptr, f->Refresh(100, 18));
  EXPECT_STREQ("http://p/go3", f->Link());
  EXPECT_STREQ("banner 3", f->Tooltip());
  EXPECT_EQ(nullptr, f->Refresh(100, 18));  // shown once; banner 4's is queued now
  Fetched();
  EXPECT_NE(nullptr, f->Refresh(100, 18));
  EXPECT_STREQ("http://p/go4", f->Link());
}

TEST_F(BannerFeedTest, ARunningDownloadOfTheFeedMakesTheRefreshDoNothing) {
  BannerFeed* f = Make();
  files.Put(kCfg, AnchorPage("1"));
  files.Put(jpeg, "jpeg");
  BitmapHandle during = reinterpret_cast<BitmapHandle>(1);
  fetcher.during = [&](const RecordingFetcher::Download&) {
    if (during != reinterpret_cast<BitmapHandle>(1)) return;
    int conversions = g_conversions;
    during = f->Refresh(100, 18);
    EXPECT_EQ(conversions, g_conversions);
  };
  f->Refresh(100, 18);
  starter.RunAll();
  EXPECT_EQ(nullptr, during);
  // What the first refresh queued, each once: the one during its download added nothing.
  std::set<std::string> urls;
  for (const auto& d : fetcher.Downloads()) EXPECT_TRUE(urls.insert(d.url).second) << d.url;
  EXPECT_EQ(3u, urls.size());  // the image, the hit and the page again
}

TEST_F(BannerFeedTest, APageWithoutAUsableAnchorFetchesNoImageAndLogsNoHit) {
  BannerFeed* f = Make();
  files.Put(kCfg, "<A HREF = \"http://p/x\"><IMG SRC=\"http://p/b.jpg\"></A>");
  f->Refresh(100, 18);
  EXPECT_EQ((std::vector<std::string>{"http://test/cgi-bin/mailtand > " + kCfg}), Fetched());
}

TEST_F(BannerFeedTest, NoLogAddressMeansNoHit) {
  SetLog("");
  BannerFeed* f = Make();
  files.Put(kCfg, AnchorPage("1"));
  f->Refresh(100, 18);
  EXPECT_EQ((std::vector<std::string>{"http://p/b1.jpg > " + jpeg,
                                      "http://test/cgi-bin/mailtand > " + kCfg}),
            Fetched());
}

TEST_F(BannerFeedTest, ABannerWithoutAltEmptiesTheTooltipOnceShown) {
  BannerFeed* f = Make();
  files.Put(kCfg, AnchorPage("1", false));
  Serve(AnchorPage("1", false));
  f->Refresh(100, 18);
  Fetched();
  EXPECT_STREQ("portal label", f->Tooltip());
  f->Refresh(100, 18);
  EXPECT_STREQ("", f->Tooltip());
  EXPECT_STREQ("http://p/go1", f->Link());
}

TEST_F(BannerFeedTest, ABrokenImageKeepsWhatIsShown) {
  BannerFeed* f = Make();
  files.Put(kCfg, AnchorPage("1"));
  Serve(AnchorPage("2"));
  f->Refresh(100, 18);
  Fetched();
  ASSERT_NE(nullptr, f->Refresh(100, 18));
  Fetched();
  files.Put(jpeg, "not a jpeg");
  EXPECT_EQ(nullptr, f->Refresh(100, 18));
  EXPECT_STREQ("banner 1", f->Tooltip());
  EXPECT_STREQ("http://p/go1", f->Link());

  // While the page names it, the image that failed is neither fetched nor converted again.
  int conversions = g_conversions;
  for (int document = 0; document < 3; ++document) {
    std::vector<std::string> served = Fetched();
    EXPECT_EQ(0, std::count(served.begin(), served.end(), "http://p/b2.jpg > " + jpeg));
    EXPECT_EQ(nullptr, f->Refresh(100, 18));
  }
  EXPECT_EQ(conversions, g_conversions);
  Serve(AnchorPage("3"));
  Fetched();
  f->Refresh(100, 18);  // page 3 parsed: its image is fetched
  Fetched();
  EXPECT_NE(nullptr, f->Refresh(100, 18));
  EXPECT_STREQ("http://p/go3", f->Link());
}
