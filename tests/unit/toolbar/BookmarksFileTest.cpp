// Reading the bookmarks file through a profile source, the process-wide tables it fills,
// and the refresh that fetches it once per toolbar.
#include "toolbar/BookmarksFile.h"

#include "common/ProfileReader.h"
#include "tests/unit/toolbar/ToolbarFakes.h"
#include "toolbar/MenuModels.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

using marvella::BookmarksFile;
using marvella::BookmarkTables;
using marvella::DownloadQueue;
using marvella::InternalSettings;
using marvella::PersonalizationLinks;
using marvella::PortalLinks;
using marvella::SearchEngineTable;
using marvella::UserMenu;
using marvella::testing::ManualStarter;
using marvella::testing::MemoryProfile;
using marvella::testing::RecordingFetcher;

namespace {

class BookmarksFileTest : public ::testing::Test {
 protected:
  RecordingFetcher fetcher;
  ManualStarter starter;
  DownloadQueue queue{fetcher, starter};
  BookmarkTables tables;
  marvella::testing::TableStrings strings;
  marvella::testing::MemoryFiles files;
  marvella::FetchContext context{queue, "Tandem Marvella", strings, files, tables};
  BookmarksFile file{context};

  SearchEngineTable Engines() {
    SearchEngineTable t;
    tables.CopySearchEngines(&t);
    return t;
  }
  InternalSettings Internal() {
    InternalSettings t;
    tables.CopyInternalSettings(&t);
    return t;
  }
};

MemoryProfile& Items(MemoryProfile& p, int from, int to,
                     const std::string& prefix = "Description") {
  for (int n = from; n <= to; ++n)
    p.Key(prefix + std::to_string(n), "item " + std::to_string(n))
        .Key("URL" + std::to_string(n), "http://h/" + std::to_string(n));
  return p;
}

}  // namespace

TEST_F(BookmarksFileTest, UserMenusInFileOrderWithIconsAndItems) {
  MemoryProfile p;
  p.Section("INTERN").Key("LastVersion", "1.01").Key("WebMail", "http://h/mail");
  p.Section("Contenidos").Key("Icon", "1");
  Items(p, 1, 3);
  p.Section("CERCADORS").Key("Cercador1", "Marvella").Key("URL1", "http://h/s?Query=%s");
  p.Section("Comunidad").Key("icon", "2").Key("description1", "Foros").Key("url1", "http://h/f");
  file.Read(p);
  ASSERT_EQ(2u, file.MenuCount());
  const UserMenu& c = *file.Menu(0);
  EXPECT_STREQ("Contenidos", c.name);
  EXPECT_EQ(1, c.icon);
  ASSERT_EQ(3u, c.itemCount);
  EXPECT_STREQ("item 3", c.items[2].description);
  EXPECT_STREQ("http://h/3", c.items[2].url);
  const UserMenu& m = *file.Menu(1);
  EXPECT_STREQ("Comunidad", m.name);
  EXPECT_EQ(2, m.icon);  // keys are found whatever their case
  EXPECT_STREQ("Foros", m.items[0].description);
  EXPECT_STREQ("1.01", Internal().lastVersion);
  EXPECT_STREQ("http://h/mail", Internal().webMail);
  EXPECT_STREQ("Marvella", Engines().slots[0].name);
}

TEST_F(BookmarksFileTest, NumberedEntriesEndAtTheFirstMissingOne) {
  MemoryProfile p;
  p.Section("A");
  Items(p, 1, 4);
  Items(p, 6, 7);                                 // Description5 missing
  p.Section("B").Key("URL1", "http://h/orphan");  // no Description1: a button, no items
  p.Section("C").Key("Description1", "no url");
  file.Read(p);
  ASSERT_EQ(3u, file.MenuCount());
  EXPECT_EQ(4u, file.Menu(0)->itemCount);
  EXPECT_EQ(0u, file.Menu(1)->itemCount);
  EXPECT_EQ(nullptr, marvella::UserMenuItemFor(*file.Menu(1), 1));
  ASSERT_EQ(1u, file.Menu(2)->itemCount);
  EXPECT_STREQ("", file.Menu(2)->items[0].url);
}

TEST_F(BookmarksFileTest, EngineAndLinkTablesHoldAtMost31EntriesAndATerminator) {
  MemoryProfile p;
  p.Section("Menu").Key("Description1", "x");
  p.Section("CERCADORS");
  Items(p, 1, 40, "Cercador");
  p.Section("MIMARVELLA").Key("Target", "http://h/mi");
  Items(p, 1, 2);
  Items(p, 4, 5);  // Description3 missing
  file.Read(p);
  SearchEngineTable e = Engines();
  EXPECT_STREQ("item 31", e.slots[30].name);
  EXPECT_STREQ("", e.slots[31].name);
  EXPECT_STREQ("", e.slots[31].url);
  EXPECT_EQ(31u, marvella::SearchEngineCount(e));
  PortalLinks links;
  tables.CopyPortalLinks(&links);
  EXPECT_STREQ("http://h/mi", links.target);
  EXPECT_EQ(2u, marvella::PortalLinkCount(links));

  MemoryProfile q;
  q.Section("Menu").Key("Description1", "x");
  q.Section("CERCADORS").Key("Cercador1", "one").Key("Cercador2", "").Key("Cercador3", "three");
  BookmarksFile second(context);
  second.Read(q);
  EXPECT_EQ(1u, marvella::SearchEngineCount(Engines()));  // rewritten by the newer toolbar
}

TEST_F(BookmarksFileTest, ReservedNamesAreComparedExactly) {
  MemoryProfile p;
  p.Section("Intern").Key("Description1", "mine").Key("LastVersion", "2.00");
  p.Section("cercadors").Key("Description1", "also mine");
  file.Read(p);
  ASSERT_EQ(2u, file.MenuCount());
  EXPECT_STREQ("Intern", file.Menu(0)->name);
  EXPECT_STREQ("cercadors", file.Menu(1)->name);
  // Key lookups ignore case, as the system's INI reader does: INTERN finds that section.
  EXPECT_STREQ("2.00", Internal().lastVersion);
  EXPECT_TRUE(marvella::IsReservedSection("MIMARVELLA"));
  EXPECT_FALSE(marvella::IsReservedSection("MiMarvella"));
}

TEST_F(BookmarksFileTest, AFileOfReservedSectionsOnlyChangesNothing) {
  MemoryProfile first;
  first.Section("Menu").Key("Description1", "x");
  first.Section("CERCADORS").Key("Cercador1", "Old engine");
  first.Section("INTERN").Key("LastVersion", "1.01");
  file.Read(first);

  MemoryProfile p;
  p.Section("CERCADORS").Key("Cercador1", "New engine");
  p.Section("INTERN").Key("LastVersion", "9.99");
  p.Section("PERSONALITZACIONS").Key("Tiempo", "http://h/t");
  p.Section("MIMARVELLA").Key("Target", "http://h/m");
  BookmarksFile other(context);
  other.Read(p);
  EXPECT_EQ(0u, other.MenuCount());
  EXPECT_STREQ("Old engine", Engines().slots[0].name);
  EXPECT_STREQ("1.01", Internal().lastVersion);
  EXPECT_EQ(0, p.reads);  // the reserved sections were not even read

  MemoryProfile empty;
  other.Read(empty);
  EXPECT_EQ(0u, other.MenuCount());
}

TEST_F(BookmarksFileTest, IconIsTheLeadingNumberOrMinusOneWhenAbsent) {
  MemoryProfile p;
  p.Section("a").Key("Icon", "abc");
  p.Section("b");
  p.Section("c").Key("Icon", "3 and more");
  p.Section("d").Key("Icon", "");
  file.Read(p);
  EXPECT_EQ(0, file.Menu(0)->icon);
  EXPECT_EQ(-1, file.Menu(1)->icon);
  EXPECT_EQ(3, file.Menu(2)->icon);
  EXPECT_EQ(-1, file.Menu(3)->icon);  // empty is missing
}

TEST_F(BookmarksFileTest, LongValuesAreCutToTheirCapacity) {
  std::string longText(400, 'x');
  std::string longUrl = "http://" + longText;
  MemoryProfile p;
  p.Section(std::string(300, 'S')).Key("Description1", longText).Key("URL1", longUrl);
  p.Section("CERCADORS").Key("Cercador1", longText).Key("URL1", longUrl);
  p.Section("INTERN").Key("LastVersion", longText).Key("Log", longText);
  p.Section("PERSONALITZACIONS").Key("Angeles", longUrl);
  file.Read(p);
  const UserMenu& m = *file.Menu(0);
  EXPECT_EQ(255u, std::strlen(m.name));
  ASSERT_EQ(1u, m.itemCount);  // the section is read under its whole name
  EXPECT_EQ(255u, std::strlen(m.items[0].description));
  EXPECT_EQ(255u, std::strlen(m.items[0].url));
  EXPECT_EQ(254u, std::strlen(Engines().slots[0].name));
  EXPECT_EQ(254u, std::strlen(Engines().slots[0].url));
  EXPECT_EQ(63u, std::strlen(Internal().lastVersion));
  EXPECT_EQ(254u, std::strlen(Internal().log));
  PersonalizationLinks links;
  tables.CopyPersonalizationLinks(&links);
  EXPECT_EQ(254u, std::strlen(links.angeles));
}

// Every address as a mail link: only menu items keep it (the rule itself: LinkRules).
TEST_F(BookmarksFileTest, AddressesTheToolbarWouldNotOpenAreReadEmpty) {
  const std::string mail = "mailto:a@h";
  MemoryProfile p;
  p.Section("Menu").Key("Description1", "a").Key("URL1", mail);
  p.Section("CERCADORS").Key("Cercador1", "e").Key("URL1", mail);
  p.Section("MIMARVELLA").Key("Target", mail).Key("Description1", "m").Key("URL1", mail);
  p.Section("PERSONALITZACIONS").Key("Tiempo", mail).Key("Bolsa", "javascript:x");
  for (const char* key : {"LastVersionURL", "Help", "WebMail", "CarpetaPersonal"})
    p.Section("INTERN").Key(key, mail);
  file.Read(p);
  EXPECT_EQ(mail, file.Menu(0)->items[0].url);
  PortalLinks portal;
  tables.CopyPortalLinks(&portal);
  EXPECT_EQ(mail, portal.slots[0].url);
  PersonalizationLinks links;
  tables.CopyPersonalizationLinks(&links);
  InternalSettings in = Internal();
  SearchEngineTable engines = Engines();
  for (const char* page : {engines.slots[0].url, portal.target, links.tiempo, links.bolsa,
                           in.lastVersionUrl, in.help, in.webMail, in.carpetaPersonal})
    EXPECT_STREQ("", page);
}

TEST_F(BookmarksFileTest, OnlyTheMenusTheBarCanNameAreRead) {
  // Names of 9 characters take 10 bytes of the bar's 1024 with the list's last zero: 102.
  MemoryProfile p;
  for (int n = 0; n < 3000; ++n) {
    char name[16];
    std::snprintf(name, sizeof name, "menu%05d", n);
    p.Section(name).Key("Icon", "1");
    Items(p, 1, 3);
  }
  p.Section("INTERN").Key("LastVersion", "1.01");
  file.Read(p);
  ASSERT_EQ(102u, file.MenuCount());
  EXPECT_STREQ("menu00101", file.Menu(101)->name);
  EXPECT_STREQ("1.01", Internal().lastVersion);  // reserved sections are read all the same
  // Each read is a profile call, which opens the file: 11 for a menu of 3 items, then the
  // reserved sections' few dozen.
  EXPECT_LT(p.reads, 102 * 11 + 100);
}

TEST_F(BookmarksFileTest, AnEndlessMenuIsCut) {
  MemoryProfile p;
  p.Section("Huge");
  Items(p, 1, marvella::kMaxUserMenuItems + 5);
  file.Read(p);
  EXPECT_EQ(marvella::kMaxUserMenuItems, file.Menu(0)->itemCount);
}

TEST_F(BookmarksFileTest, RefreshFetchesUntilOneFetchSucceeded) {
  file.SetDownload("http://h/tandem/tnbbookm.ini", "T:\\tandbkmk.ini");
  fetcher.result = false;
  file.Refresh();  // not yet fetched: fetch
  starter.RunAll();
  EXPECT_EQ(1u, fetcher.Downloads().size());
  file.Refresh();  // failed: once more, one attempt per completed document
  file.Refresh();  // the same request at the head: not queued twice
  fetcher.result = true;
  starter.RunAll();
  EXPECT_EQ(2u, fetcher.Downloads().size());
  file.Refresh();  // fetched: up to date, nothing queued any more
  file.Refresh();
  starter.RunAll();
  ASSERT_EQ(2u, fetcher.Downloads().size());
  EXPECT_EQ("T:\\tandbkmk.ini", fetcher.Downloads()[1].destination);
  // Every window reads it key by key: a bigger body is no bookmarks file.
  EXPECT_EQ(marvella::kLargestBookmarksBody, fetcher.Downloads()[1].largestBody);
}

TEST_F(BookmarksFileTest, NoRefreshWhileItsDownloadRuns) {
  file.SetDownload("http://h/b.ini", "T:\\tandbkmk.ini");
  fetcher.result = false;  // else the next refresh would not fetch anyway
  fetcher.during = [&](const RecordingFetcher::Download&) { file.Refresh(); };
  file.Refresh();
  starter.RunAll();
  EXPECT_EQ(1u, fetcher.Downloads().size());  // only the one that ran
}

// The same reading over file bytes, through the portable reader that answers as the
// system's does: blanks, quotes, keys without "=", and sections of one name in two cases.
TEST_F(BookmarksFileTest, FileBytesReadAsTheSystemReadsThem) {
  marvella::ProfileReader reader(
      "[Contenidos]\r\n"
      "Icon = 1 \r\n"
      "Description1 = Arte y Cultura\r\n"
      "URL1=\"http://h/arte\"\r\n"
      "Description2=\r\n"
      "Description3=after an empty one\r\n"
      "[Intern]\r\n"
      "description1=mine\r\n"
      "[INTERN]\r\n"
      "LastVersion=1.02\r\n"
      "[CERCADORS]\r\n"
      "Cercador1=Uno\r\n"
      "URL1=http://h/s?Query=%s\r\n"
      "Cercador2\r\n"
      "Cercador3=Tres\r\n");
  file.Read(reader);
  ASSERT_EQ(2u, file.MenuCount());
  const UserMenu& c = *file.Menu(0);
  EXPECT_EQ(1, c.icon);
  ASSERT_EQ(1u, c.itemCount);  // an empty Description2 ends the list
  EXPECT_STREQ("Arte y Cultura", c.items[0].description);
  EXPECT_STREQ("http://h/arte", c.items[0].url);  // quotes around a value go
  EXPECT_STREQ("Intern", file.Menu(1)->name);
  // Only the first section of a name is searched: "Intern" hides "INTERN" from the lookups.
  EXPECT_STREQ("", Internal().lastVersion);
  EXPECT_EQ(1u, marvella::SearchEngineCount(Engines()));  // a key without "=" is missing
}
