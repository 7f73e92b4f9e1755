// With the shipped string table the tokens, mail and personal-page readers all use the
// configuration page: none of them ever creates a file of its own, and none fetches.
#include "tests/unit/toolbar/ToolbarFakes.h"
#include "tests/win32/toolbar/ToolbarWin32Support.h"
#include "toolbar/MailChecker.h"
#include "toolbar/PageFetchers.h"
#include "toolbar/win32/ModuleStringTable.h"
#include "toolbar/win32/WinInetFetcher.h"

#include <gtest/gtest.h>

#include <string>

using namespace marvella;
using namespace marvella::testing;

TEST(ShippedTable, NoReaderCreatesAPageFileOfItsOwn) {
  HMODULE module = LoadToolbarResources();
  ASSERT_NE(nullptr, module);
  ModuleStringTable strings(module);
  std::string dir = FreshDirectory("shipped");
  DirectoryFiles files(dir);
  WriteFileBytes(dir + "tandcfg.htm",
                 "<INPUT TYPE=HIDDEN NAME=\"TOKENS\" VALUE=\"5\">"
                 "<INPUT TYPE=HIDDEN NAME=\"PAGPERS\" VALUE=\"http://127.0.0.1/~ana\">"
                 "<INPUT TYPE=HIDDEN NAME=\"WEBMAIL\" VALUE=\"2\">");
  // The real fetcher: were anything queued, it would go to the shipped host.
  WinInetFetcher fetcher;
  // The queue asks for its worker when a request comes to an empty queue: no start means
  // nothing was ever queued.
  ManualStarter threads;
  DownloadQueue queue(fetcher, threads);
  BookmarkTables tables;
  {
    FetchContext context{queue, "Tandem Marvella", strings, files, tables};
    TokensFetcher tokens(context);
    PersonalPageFetcher personal(context);
    MailChecker mail(context);
    for (int document = 0; document < 3; ++document) {
      tokens.Refresh();
      mail.Check();
    }
    EXPECT_EQ(0, threads.starts);
    EXPECT_EQ(5, tokens.Read());
    ASSERT_TRUE(personal.Read());
    EXPECT_STREQ("http://127.0.0.1/~ana", personal.Address());
    char tooltip[260];
    mail.CopyTooltip(tooltip, sizeof tooltip);
    EXPECT_STREQ("Tienes 2 mensajes nuevos en tu buz\xF3n", tooltip);
    EXPECT_EQ("tandcfg.htm", ListFiles(dir));
  }
  EXPECT_EQ("tandcfg.htm", ListFiles(dir));  // nor deletes the shared one
  EXPECT_EQ(0, threads.starts);
  FreeLibrary(module);
}
