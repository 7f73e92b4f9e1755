// Downloads with WinINet under Wine against the reference service (its CTest fixture):
// whole bodies only, the 65000-byte cut, faults that must leave the destination alone, the
// queue dropping a closed client's requests, and the bookmarks file, banner feed and mail
// checker fetching from the service.
#include "tests/win32/support/HttpGet.h"
#include "tests/win32/toolbar/ToolbarWin32Support.h"
#include "toolbar/BannerFeed.h"
#include "toolbar/BookmarksFile.h"
#include "toolbar/DownloadClient.h"
#include "toolbar/JPEGtoBMP.h"
#include "toolbar/MailChecker.h"
#include "toolbar/ToolbarTexts.h"
#include "toolbar/win32/BannerBitmapLoader.h"
#include "toolbar/win32/BookmarksSetup.h"
#include "toolbar/win32/ModuleStringTable.h"
#include "toolbar/win32/WinInetFetcher.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>

using namespace marvella;
using namespace marvella::testing;
using marvella::test::HttpGet;

namespace {

std::string Base() {
  const char* url = std::getenv("MARVELLA_DEVSERVICE_URL");
  return url ? url : "";
}

std::string TnbFiles() {
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  std::string names;
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA((std::string(temp) + "TNB*.tmp").c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return names;
  do names += std::string(found.cFileName) + " ";
  while (FindNextFileA(h, &found));
  FindClose(h);
  return names;
}

bool WaitIdle(DownloadQueue& queue) {
  for (int i = 0; i < 1500 && !queue.IsIdle(); ++i) Sleep(20);
  return queue.IsIdle();
}

// The shipped string table with the service's addresses in place of the operator's.
class ServiceStrings : public StringTable {
 public:
  explicit ServiceStrings(HMODULE module) : shipped_(module) {
    std::string page = Base() + "/cgi-bin/mailtand";
    for (unsigned id : {IDS_URL_TOKENS, IDS_URL_MAIL, IDS_URL_CONFIG, IDS_URL_PERSONAL_PAGE})
      texts[id] = page;
    texts[IDS_URL_BOOKMARKS] = Base() + "/tandem/tnbbookm.ini";
  }
  std::size_t Load(unsigned id, char* buffer, std::size_t capacity) override {
    auto it = texts.find(id);
    if (it == texts.end()) return shipped_.Load(id, buffer, capacity);
    std::size_t n = it->second.size() < capacity - 1 ? it->second.size() : capacity - 1;
    std::memcpy(buffer, it->second.data(), n);
    buffer[n] = '\0';
    return n;
  }
  std::map<unsigned, std::string> texts;

 private:
  ModuleStringTable shipped_;
};

class Downloads : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(Base().empty()) << "the devservice fixture did not run";
    internet = InternetOpenA("Tandem Marvella", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    ASSERT_NE(nullptr, internet);
    dir = FreshDirectory(::testing::UnitTest::GetInstance()->current_test_info()->name());
    dest = dir + "dest.htm";
    WriteFileBytes(dest, "old");
  }
  void TearDown() override {
    if (internet) InternetCloseHandle(internet);
  }
  bool Download(const std::string& path) {
    return DownloadToFile(internet, (Base() + path).c_str(), dest.c_str());
  }

  HINTERNET internet = nullptr;
  std::string dir, dest;
};

}  // namespace

TEST_F(Downloads, AWholeBodyReplacesTheFileAndLeavesNoTemporaryFile) {
  std::string before = TnbFiles();
  ASSERT_TRUE(Download("/tandem/tnbbookm.ini"));
  std::string body = ReadFileBytes(dest);
  EXPECT_EQ(0u, body.find("[INTERN]"));
  EXPECT_EQ(HttpGet(Base() + "/tandem/tnbbookm.ini"), body);
  EXPECT_EQ(before, TnbFiles());
}

TEST_F(Downloads, FailuresLeaveTheFileAsItWas) {
  for (const char* fault : {"404", "500", "reset", "drop", "longlength"}) {
    EXPECT_FALSE(Download(std::string("/cgi-bin/mailtand?fault=") + fault)) << fault;
    EXPECT_EQ("old", ReadFileBytes(dest)) << fault;
  }
  EXPECT_FALSE(Download("/no/such/page"));
  EXPECT_EQ("old", ReadFileBytes(dest));
}

TEST_F(Downloads, ABodyWithoutLengthIsCutAt65000Bytes) {
  ASSERT_TRUE(Download("/cgi-bin/mailtand?fault=nolength&fault_size=70000"));
  EXPECT_EQ(65000u, ReadFileBytes(dest).size());
  ASSERT_TRUE(Download("/cgi-bin/mailtand?fault=nolength&fault_size=3000"));
  EXPECT_EQ(3000u, ReadFileBytes(dest).size());
}

TEST_F(Downloads, SlowAndLargeBodiesArriveWhole) {
  ASSERT_TRUE(Download("/tandem/tnbbookm.ini?fault=slow&fault_pieces=8&fault_delay=150"));
  EXPECT_EQ(HttpGet(Base() + "/tandem/tnbbookm.ini"), ReadFileBytes(dest));
  // Far more than one read brings: every byte must be there.
  ASSERT_TRUE(Download("/cgi-bin/mailtand?fault=pad&fault_size=3000000"));
  EXPECT_EQ(3000000u, ReadFileBytes(dest).size());
}

TEST_F(Downloads, ALengthHeaderAboveTheCeilingIsRefused) {
  EXPECT_FALSE(Download("/cgi-bin/mailtand?fault=pad&fault_size=5000000"));
  EXPECT_EQ("old", ReadFileBytes(dest));
}

// Through the queue: the result reaches the client; a client that closes has its queued
// requests dropped unserved, while the one already on the wire finishes.
TEST_F(Downloads, TheQueueServesClientsAndDropsTheRequestsOfClosedOnes) {
  WinInetFetcher fetcher;
  DetachedThreadStarter threads;
  DownloadQueue queue(fetcher, threads);
  class Client : public DownloadClient {
   public:
    explicit Client(DownloadQueue& q) : DownloadClient(q, "Tandem Marvella") {}
    void Get(const std::string& url, const std::string& file) {
      QueueDownload(url.c_str(), file.c_str());
    }
  };
  Client stays(queue);
  stays.Get(Base() + "/cgi-bin/mailtand?fault=404", dir + "404.htm");
  ASSERT_TRUE(WaitIdle(queue));
  EXPECT_FALSE(stays.LastResult());
  EXPECT_EQ(std::string::npos, ListFiles(dir).find("404.htm"));

  auto leaving = std::make_unique<Client>(queue);
  leaving->Get(Base() + "/cgi-bin/mailtand?fault=slow&fault_pieces=5&fault_delay=200",
               dir + "running.htm");
  for (int i = 0; i < 3; ++i)
    leaving->Get(Base() + "/tandem/tnbbookm.ini", dir + "queued" + std::to_string(i) + ".ini");
  stays.Get(Base() + "/tandem/tnbbookm.ini", dir + "mine.ini");
  for (int i = 0; i < 2000 && leaving->BusyCount() == 0; ++i) Sleep(5);
  ASSERT_EQ(1, leaving->BusyCount());
  leaving.reset();
  ASSERT_TRUE(WaitIdle(queue));
  EXPECT_EQ("dest.htm mine.ini running.htm", ListFiles(dir));
  EXPECT_TRUE(stays.LastResult());
}

// The bookmarks file refreshes once per toolbar, again after a failed fetch.
TEST_F(Downloads, BookmarksFileIsFetchedUntilOneFetchSucceeds) {
  HMODULE module = LoadToolbarResources();
  ASSERT_NE(nullptr, module);
  ServiceStrings strings(module);
  // The first fetch fails. The fault rides on this test's own request: the tests of this
  // program share one service and run side by side, so a rule set for the service would
  // fail whichever test fetched the file first.
  const std::string fileUrl = Base() + "/tandem/tnbbookm.ini";
  strings.texts[IDS_URL_BOOKMARKS] = fileUrl + "?fault=404";
  DirectoryFiles files(dir);
  WinInetFetcher fetcher;
  DetachedThreadStarter threads;
  DownloadQueue queue(fetcher, threads);
  BookmarkTables tables;
  {
    BookmarksFile bookmarks(queue, "Tandem Marvella", tables);
    PrepareBookmarksFile(bookmarks, module, strings, files);
    std::string shipped = ReadFileBytes(dir + "tandbkmk.ini");
    ASSERT_FALSE(shipped.empty());
    bookmarks.Refresh();
    ASSERT_TRUE(WaitIdle(queue));
    EXPECT_FALSE(bookmarks.UpToDate());
    EXPECT_EQ(shipped, ReadFileBytes(dir + "tandbkmk.ini"));
    // The service answers again: the failed fetch is tried again.
    bookmarks.SetDownload(fileUrl.c_str(), (dir + "tandbkmk.ini").c_str());
    bookmarks.Refresh();
    EXPECT_FALSE(bookmarks.UpToDate());
    ASSERT_TRUE(WaitIdle(queue));
    bookmarks.Refresh();
    EXPECT_TRUE(bookmarks.UpToDate());
    EXPECT_EQ(HttpGet(Base() + "/tandem/tnbbookm.ini"), ReadFileBytes(dir + "tandbkmk.ini"));
  }
  // The fetched copy takes effect in the next toolbar.
  BookmarksFile next(queue, "Tandem Marvella", tables);
  PrepareBookmarksFile(next, module, strings, files);
  InternalSettings internal;
  tables.CopyInternalSettings(&internal);
  EXPECT_EQ(Base() + "/cgi-bin/hitlog", internal.log);
  FreeLibrary(module);
}

// The banner feed with the service's configuration page and banners: the bitmap, tooltip
// and link of an anchor arrive together, and each parse registers one hit.
TEST_F(Downloads, BannerFeedShowsTheServicesBanner) {
  HMODULE module = LoadToolbarResources();
  ASSERT_NE(nullptr, module);
  ServiceStrings strings(module);
  DirectoryFiles files(dir);
  WinInetFetcher fetcher;
  DetachedThreadStarter threads;
  DownloadQueue queue(fetcher, threads);
  BookmarkTables tables;
  BookmarksFile bookmarks(queue, "Tandem Marvella", tables);
  WriteFileBytes(dir + "tandbkmk.ini", HttpGet(Base() + "/tandem/tnbbookm.ini"));
  PrepareBookmarksFile(bookmarks, module, strings, files);  // the Log address
  BannerBitmapLoader loader;
  HBITMAP bitmap = nullptr;
  {
    BannerFeed feed(queue, "Tandem Marvella", strings, files, tables, loader, JPEGtoBMP);
    char label[260];
    strings.Load(IDS_BANNER_TOOLTIP, label, sizeof label);
    EXPECT_STREQ(label, feed.Tooltip());
    for (int document = 0; document < 4 && !bitmap; ++document) {
      bitmap = static_cast<HBITMAP>(feed.Refresh(100, 18));
      ASSERT_TRUE(WaitIdle(queue));
    }
    ASSERT_NE(nullptr, bitmap);
    BITMAP info;
    ASSERT_NE(0, GetObjectA(bitmap, sizeof info, &info));
    EXPECT_EQ(100, info.bmWidth);
    EXPECT_EQ(18, info.bmHeight);
    EXPECT_EQ(0u, std::string(feed.Link()).find(Base() + "/promo/"));
    EXPECT_STRNE(label, feed.Tooltip());
    EXPECT_NE("", ReadFileBytes(dir + "stats.bin"));  // the hit log answered
    DeleteObject(bitmap);
  }
  EXPECT_EQ(std::string::npos, ListFiles(dir).find("tnbbannr"));
  FreeLibrary(module);
}

// A mail page of its own (an address that differs from the configuration page's): the
// checker fetches it and follows the count the service holds.
TEST_F(Downloads, MailCheckerFollowsTheServicesCount) {
  HMODULE module = LoadToolbarResources();
  ASSERT_NE(nullptr, module);
  ServiceStrings strings(module);
  strings.texts[IDS_URL_MAIL] = Base() + "/cgi-bin/mailtand?own=1";
  DirectoryFiles files(dir);
  WinInetFetcher fetcher;
  DetachedThreadStarter threads;
  DownloadQueue queue(fetcher, threads);
  BookmarkTables tables;
  MailPollingStop stop;
  HttpGet(Base() + "/admin/set?mail=3");
  {
    MailChecker mail(queue, "Tandem Marvella", strings, files, tables, stop);
    ASSERT_FALSE(mail.Shared());
    // Each check reads the page fetched before and fetches it again.
    auto checkUntil = [&](const char* expected) {
      char tooltip[260] = "";
      for (int i = 0; i < 50; ++i) {
        mail.Check();
        WaitIdle(queue);
        mail.CopyTooltip(tooltip, sizeof tooltip);
        if (std::strcmp(tooltip, expected) == 0) return true;
      }
      ADD_FAILURE() << tooltip;
      return false;
    };
    EXPECT_TRUE(checkUntil("Tienes 3 mensajes nuevos en tu buz\xF3n"));
    EXPECT_EQ(3, mail.LastCount());
    HttpGet(Base() + "/admin/set?mail=0");
    EXPECT_TRUE(checkUntil("No tienes mensajes nuevos en tu buz\xF3n"));
    EXPECT_EQ(0, mail.LastCount());
    EXPECT_NE(std::string::npos, ListFiles(dir).find("tandmail.htm"));
    stop.Raise();
  }
  EXPECT_EQ(std::string::npos, ListFiles(dir).find("tandmail.htm"));
  FreeLibrary(module);
}
