// What tandem.dll ships: its string table in code page 1252, the addresses that let every
// page reader share the configuration page, and the default bookmarks file.
#include "tests/unit/toolbar/ToolbarFakes.h"
#include "tests/win32/toolbar/ToolbarWin32Support.h"
#include "toolbar/BookmarksFile.h"
#include "toolbar/MenuModels.h"
#include "toolbar/ToolbarTexts.h"
#include "toolbar/win32/BookmarksSetup.h"
#include "toolbar/win32/ModuleStringTable.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using namespace marvella;
using namespace marvella::testing;

namespace {

class ToolbarResources : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(nullptr, module); }
  void TearDown() override {
    if (module) FreeLibrary(module);
  }
  std::string String(unsigned id) {
    char text[1024];
    strings.Load(id, text, sizeof text);
    return text;
  }
  HMODULE module = LoadToolbarResources();
  ModuleStringTable strings{module};
};

bool EndsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

// The texts reach the table as bytes of code page 1252 (the addresses and file names are
// checked below and walked in tests/win32/browser).
TEST_F(ToolbarResources, StringTableTextsAreCodePage1252) {
  EXPECT_EQ("Tandem Marvella", String(IDS_AGENT));
  EXPECT_EQ("Tienes %d mensajes nuevos en tu buz\xF3n", String(IDS_MAIL_MANY));
  EXPECT_EQ("No tienes mensajes nuevos en tu buz\xF3n", String(IDS_MAIL_NONE));
  EXPECT_EQ("Tienes un mensaje nuevo en tu buz\xF3n", String(IDS_MAIL_ONE));
}

TEST_F(ToolbarResources, OnePageServesTokensMailAndPersonalPage) {
  std::string config = String(IDS_URL_CONFIG);
  EXPECT_TRUE(EndsWith(config, "/cgi-bin/mailtand")) << config;
  EXPECT_EQ(config, String(IDS_URL_TOKENS));
  EXPECT_EQ(config, String(IDS_URL_MAIL));
  EXPECT_EQ(config, String(IDS_URL_PERSONAL_PAGE));
  EXPECT_TRUE(EndsWith(String(IDS_URL_BOOKMARKS), "/tandem/tnbbookm.ini"));
  EXPECT_EQ("tandtok.htm", String(IDS_FILE_TOKENS));
  EXPECT_EQ("tandcfg.htm", String(IDS_FILE_CONFIG));
  EXPECT_EQ("tandbkmk.ini", String(IDS_FILE_BOOKMARKS));
  EXPECT_EQ("tandmail.htm", String(IDS_FILE_MAIL));
  EXPECT_EQ("tandpage.htm", String(IDS_FILE_PERSONAL_PAGE));
  EXPECT_EQ(0u, String(IDS_URL_PORTAL_HOME).find("http://"));
}

// The default file, extracted and read as a new toolbar reads it.
TEST_F(ToolbarResources, DefaultBookmarksFileHasTheShippedMenus) {
  std::string dir = FreshDirectory("default-bookmarks");
  DirectoryFiles files(dir);
  BookmarkTables tables;
  // Records where the refresh would fetch to, and fetches nothing.
  class NoFetch : public Fetcher {
   public:
    InternetHandle OpenInternet(const char*, const char*) override { return nullptr; }
    void CloseInternet(InternetHandle) override {}
    bool DownloadToFile(InternetHandle, const char*, const char* destination,
                        const DownloadTerms&) override {
      destinations.push_back(destination);
      return false;
    }
    std::vector<std::string> destinations;
  } fetcher;
  ManualStarter threads;  // the worker runs when the test says, on the test's thread
  DownloadQueue queue(fetcher, threads);
  BookmarksFile bookmarks(FetchContext{queue, "Tandem Marvella", strings, files, tables});
  PrepareBookmarksFile(bookmarks, module, strings, files);

  std::string raw = ReadFileBytes(dir + "tandbkmk.ini");
  EXPECT_EQ(0u, raw.find("[INTERN]\r\n"));                       // lines end as Windows writes them
  EXPECT_NE(std::string::npos, raw.find("Lengua Espa\xF1ola"));  // CP1252, not UTF-8
  EXPECT_EQ(std::string::npos, raw.find("\xC3"));
  bookmarks.Refresh();  // the fetch replaces the working copy it read
  threads.RunAll();
  EXPECT_EQ((std::vector<std::string>{dir + "tandbkmk.ini"}), fetcher.destinations);

  // As read by the first toolbar, and by the next one with tables of its own: that one
  // takes the process's last read of the unchanged file.
  auto shipped = [](BookmarksFile& bookmarks, BookmarkTables& tables) {
    ASSERT_EQ(3u, bookmarks.MenuCount());
    const char* names[] = {"Contenidos", "Comunidad", "Servicios"};
    const unsigned counts[] = {18, 6, 19};
    for (unsigned k = 0; k < 3; ++k) {
      EXPECT_STREQ(names[k], bookmarks.Menu(k)->name);
      EXPECT_EQ(static_cast<int>(k + 1), bookmarks.Menu(k)->icon);
      EXPECT_EQ(counts[k], bookmarks.Menu(k)->itemCount);
    }
    EXPECT_STREQ("Arte y Cultura", bookmarks.Menu(0)->items[0].description);
    EXPECT_STREQ("Viajes", bookmarks.Menu(0)->items[17].description);
    const char* community[] = {"Distritos",      "Foros",     "Chats", "P\xE1ginas Personales",
                               "Gente Internet", "Netmeeting"};
    for (unsigned i = 0; i < 6; ++i)
      EXPECT_STREQ(community[i], bookmarks.Menu(1)->items[i].description);
    const UserMenu& services = *bookmarks.Menu(2);
    for (unsigned i = 0; i < 19; ++i)
      EXPECT_EQ(i == 3 || i == 8, UserMenuEntry(services, i).separator) << i;

    SearchEngineTable engines;
    tables.CopySearchEngines(&engines);
    ASSERT_EQ(5u, SearchEngineCount(engines));
    const char* engineNames[] = {"Marvella", "SEPARATOR", "Lengua Espa\xF1ola",
                                 "Espa\xF1ol/Ingl\xE9s", "Ingl\xE9s/Espa\xF1ol"};
    for (unsigned i = 0; i < 5; ++i) EXPECT_STREQ(engineNames[i], engines.slots[i].name);
    EXPECT_TRUE(EndsWith(engines.slots[0].url, "Inicio=1&Query=%s"));
    EXPECT_TRUE(EndsWith(engines.slots[2].url, "accion=e&Entrada=%s"));

    PortalLinks portal;
    tables.CopyPortalLinks(&portal);
    EXPECT_NE('\0', portal.target[0]);
    ASSERT_EQ(1u, PortalLinkCount(portal));
    EXPECT_STREQ("Agenda", portal.slots[0].name);
    PersonalizationLinks personal;
    tables.CopyPersonalizationLinks(&personal);
    for (const char* link :
         {personal.tiempo, personal.bolsa, personal.deportes, personal.horoscopo, personal.angeles})
      EXPECT_NE(nullptr, std::strstr(link, "login_tandem.htm?urlsalida=")) << link;
    InternalSettings internal;
    tables.CopyInternalSettings(&internal);
    EXPECT_STREQ("1.01", internal.lastVersion);
    for (const char* url : {internal.lastVersionUrl, internal.help, internal.webMail,
                            internal.carpetaPersonal, internal.log})
      EXPECT_EQ(0, std::strncmp(url, "http://", 7)) << url;
  };
  shipped(bookmarks, tables);
  BookmarkTables nextTables;
  BookmarksFile next(FetchContext{queue, "Tandem Marvella", strings, files, nextTables});
  PrepareBookmarksFile(next, module, strings, files);
  shipped(next, nextTables);

  // A fetched copy replaces the file: the toolbar after it reads the new one.
  WriteFileBytes(dir + "tandbkmk.ini", "[Nuevo]\r\nDescription1=Uno\r\nURL1=http://127.0.0.1/\r\n"
                                       "[INTERN]\r\nLastVersion=1.02\r\n");
  BookmarksFile fetched(FetchContext{queue, "Tandem Marvella", strings, files, nextTables});
  PrepareBookmarksFile(fetched, module, strings, files);
  ASSERT_EQ(1u, fetched.MenuCount());
  EXPECT_STREQ("Nuevo", fetched.Menu(0)->name);
  EXPECT_STREQ("Uno", fetched.Menu(0)->items[0].description);
  InternalSettings internal;
  nextTables.CopyInternalSettings(&internal);
  EXPECT_STREQ("1.02", internal.lastVersion);

  // One bigger than any download brings is not read: the default copy comes back.
  WriteFileBytes(dir + "tandbkmk.ini", "[Huge]\r\nDescription1=x\r\n" + std::string(70000, ';'));
  BookmarksFile oversized(FetchContext{queue, "Tandem Marvella", strings, files, tables});
  PrepareBookmarksFile(oversized, module, strings, files);
  shipped(oversized, tables);
}

// The working copy outlives the toolbar: made from the resource only when it is missing.
TEST_F(ToolbarResources, DefaultCopyNeverOverwritesAWorkingCopy) {
  std::string dir = FreshDirectory("extract");
  std::string path = dir + "tandbkmk.ini";
  ASSERT_TRUE(ExtractDefaultBookmarks(module, path.c_str()));
  HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(IDR_DEFAULT_BOOKMARKS), "FILE");
  ASSERT_NE(nullptr, resource);
  EXPECT_EQ(SizeofResource(module, resource), ReadFileBytes(path).size());

  WriteFileBytes(path, "[Fetched]\r\nDescription1=Nuevo\r\n");
  EXPECT_FALSE(ExtractDefaultBookmarks(module, path.c_str()));
  EXPECT_EQ("[Fetched]\r\nDescription1=Nuevo\r\n", ReadFileBytes(path));
  EXPECT_FALSE(ExtractDefaultBookmarks(module, (dir + "no\\such\\dir.ini").c_str()));
}
