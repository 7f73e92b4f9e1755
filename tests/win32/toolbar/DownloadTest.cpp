// Downloads with WinINet under Wine against the reference service (its CTest fixture):
// whole bodies only, the bounds on a body, faults and abandoned transfers that must leave
// the destination alone. (The
// queue, the bookmarks file, banner feed and mail checker are tested natively and walked
// with the service in the test browser, tests/win32/browser.)
#include "tests/win32/support/HttpGet.h"
#include "tests/win32/toolbar/ToolbarWin32Support.h"
#include "toolbar/win32/WinInetFetcher.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <string>
#include <thread>

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
  bool Download(const std::string& path, const DownloadTerms& terms = kPlainDownload) {
    return DownloadToFile(internet, (Base() + path).c_str(), dest.c_str(), terms);
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

TEST_F(Downloads, ABodyWithoutLengthMustEndWithin65000Bytes) {
  // Cut, it would be stored as if whole.
  EXPECT_FALSE(Download("/cgi-bin/mailtand?fault=nolength&fault_size=65001"));
  EXPECT_EQ("old", ReadFileBytes(dest));
  ASSERT_TRUE(Download("/cgi-bin/mailtand?fault=nolength&fault_size=65000"));
  EXPECT_EQ(65000u, ReadFileBytes(dest).size());
  ASSERT_TRUE(Download("/cgi-bin/mailtand?fault=nolength&fault_size=3000"));
  EXPECT_EQ(3000u, ReadFileBytes(dest).size());
}

TEST_F(Downloads, ADownloadsOwnBoundAndItsAbandonmentLeaveTheFileAlone) {
  const DownloadTerms bookmarks = {kLargestBookmarksBody, nullptr};
  EXPECT_FALSE(Download("/tandem/tnbbookm.ini?fault=pad&fault_size=65537", bookmarks));
  EXPECT_FALSE(Download("/tandem/tnbbookm.ini?fault=nolength&fault_size=65537", bookmarks));
  EXPECT_EQ("old", ReadFileBytes(dest));
  ASSERT_TRUE(Download("/tandem/tnbbookm.ini?fault=pad&fault_size=65536", bookmarks));
  EXPECT_EQ(65536u, ReadFileBytes(dest).size());

  // A body that would take 40 s; its client goes a second in (or before it starts): the
  // transfer stops and nothing is stored.
  WriteFileBytes(dest, "old");
  std::atomic<bool> abandoned{false};
  const DownloadTerms gone = {kLargestBody, &abandoned};
  std::thread closer([&] {
    Sleep(1000);
    abandoned = true;
  });
  EXPECT_FALSE(Download("/tandem/tnbbookm.ini?fault=slow&fault_pieces=80&fault_delay=500", gone));
  closer.join();
  EXPECT_EQ("old", ReadFileBytes(dest));
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
