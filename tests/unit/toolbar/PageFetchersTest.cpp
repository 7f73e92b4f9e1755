// The shared-page rule and the two page fetchers.
#include "toolbar/PageFetchers.h"

#include "tests/unit/toolbar/ToolbarFakes.h"
#include "toolbar/BookmarkTables.h"
#include "toolbar/ToolbarTexts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using marvella::DownloadQueue;
using marvella::PersonalPageFetcher;
using marvella::TokensFetcher;
using marvella::testing::ManualStarter;
using marvella::testing::MemoryFiles;
using marvella::testing::RecordingFetcher;
using marvella::testing::TableStrings;

namespace {

const std::string kField = "<INPUT TYPE=HIDDEN NAME=\"";

class PageFetchersTest : public ::testing::Test {
 protected:
  MemoryFiles files;
  TableStrings strings;
  RecordingFetcher fetcher;
  ManualStarter starter;
  DownloadQueue queue{fetcher, starter};
  marvella::BookmarkTables tables;
  marvella::FetchContext context{queue, "Tandem Marvella", strings, files, tables};
};

}  // namespace

TEST_F(PageFetchersTest, WithOneAddressForAllEveryReaderUsesTheConfigurationPage) {
  files.Put("T:\\tandcfg.htm",
            kField + "TOKENS\" VALUE=\"7\">" + kField + "PAGPERS\" VALUE=\"http://p/~ana\">");
  {
    TokensFetcher tokens(context);
    PersonalPageFetcher personal(context);
    EXPECT_FALSE(tokens.OwnsFile());
    EXPECT_STREQ("T:\\tandcfg.htm", tokens.PageFile());
    EXPECT_STREQ("T:\\tandcfg.htm", personal.PageFile());
    tokens.Refresh();
    EXPECT_EQ(0, starter.starts);  // nothing queued: the banner feed fetches that page
    EXPECT_EQ(7, tokens.Read());
    ASSERT_TRUE(personal.Read());
    EXPECT_STREQ("http://p/~ana", personal.Address());
  }
  EXPECT_TRUE(files.Deleted().empty());  // the shared page is not theirs to delete
  EXPECT_TRUE(files.Has("T:\\tandcfg.htm"));
}

TEST_F(PageFetchersTest, AnAddressOfItsOwnGivesAFileOfItsOwn) {
  strings.texts[IDS_URL_TOKENS] = "http://test/cgi-bin/tokens";
  files.Put("T:\\tandtok.htm", "left over");
  {
    TokensFetcher tokens(context);
    EXPECT_TRUE(tokens.OwnsFile());
    EXPECT_FALSE(files.Has("T:\\tandtok.htm"));  // deleted when made
    EXPECT_EQ(-1, tokens.Read());
    fetcher.during = [&](const RecordingFetcher::Download& d) {
      files.Put(d.destination, kField + "TOKENS\" VALUE=\"0\">");
      tokens.Refresh();  // its own download runs: no second one
    };
    tokens.Refresh();
    starter.RunAll();
    ASSERT_EQ(1u, fetcher.Downloads().size());
    EXPECT_EQ("http://test/cgi-bin/tokens", fetcher.Downloads()[0].url);
    EXPECT_EQ("T:\\tandtok.htm", fetcher.Downloads()[0].destination);
    EXPECT_EQ(0, tokens.Read());

    // The personal page keeps using the configuration page, and never fetches.
    PersonalPageFetcher personal(context);
    EXPECT_FALSE(personal.OwnsFile());
    EXPECT_FALSE(personal.Read());
  }
  EXPECT_FALSE(files.Has("T:\\tandtok.htm"));  // and deleted when it goes
}

TEST_F(PageFetchersTest, MissingOrBrokenFieldsAreNotFound) {
  files.Put("T:\\tandcfg.htm", kField + "TOKENS\" VALUE =\"7\">" + kField + "PAGPERS\">");
  TokensFetcher tokens(context);
  PersonalPageFetcher personal(context);
  EXPECT_EQ(-1, tokens.Read());
  EXPECT_FALSE(personal.Read());
  files.Put("T:\\tandcfg.htm", kField + "PAGPERS\" VALUE=\"javascript:alert(1)\">");
  EXPECT_FALSE(personal.Read());  // the menu would open it in the page being viewed
  EXPECT_STREQ("", personal.Address());
  files.Put("T:\\tandcfg.htm", "");  // an empty file cannot be mapped
  EXPECT_EQ(-1, tokens.Read());
}
