// Downloads with WinINet under Wine against the reference service (its CTest fixture):
// whole bodies only, the 65000-byte cut, faults that must leave the destination alone. (The
// queue, the bookmarks file, banner feed and mail checker are tested natively and walked
// with the service in the test browser, tests/win32/browser.)
#include "tests/win32/support/HttpGet.h"
#include "tests/win32/toolbar/ToolbarWin32Support.h"
#include "toolbar/win32/WinInetFetcher.h"

#include <gtest/gtest.h>

#include <cstdlib>
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
