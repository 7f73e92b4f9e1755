// Reading a bookmarks file from arbitrary bytes, through the portable reader that answers as
// the system's does, then building every menu from it.
#include "common/ProfileReader.h"
#include "tests/unit/toolbar/ToolbarFakes.h"
#include "toolbar/BookmarksFile.h"
#include "toolbar/MenuModels.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace marvella;
  ProfileReader profile(std::string(reinterpret_cast<const char*>(data), size));

  testing::RecordingFetcher fetcher;
  testing::ManualStarter starter;
  DownloadQueue queue(fetcher, starter);
  BookmarkTables tables;
  testing::TableStrings strings;
  testing::MemoryFiles files;
  BookmarksFile file(FetchContext{queue, "Tandem Marvella", strings, files, tables});
  file.Read(profile);
  unsigned entries = 0;
  for (unsigned k = 0; k < file.MenuCount(); ++k) {
    const UserMenu& menu = *file.Menu(k);
    for (unsigned i = 0; i < UserMenuEntryCount(menu); ++i)
      entries += UserMenuEntry(menu, i).separator ? 0 : 1;
    if (UserMenuItemFor(menu, UserMenuEntryCount(menu) + 1)) __builtin_trap();
  }
  SearchEngineTable engines;
  tables.CopySearchEngines(&engines);
  if (SearchEngineCount(engines) > 31) __builtin_trap();
  PortalLinks links;
  tables.CopyPortalLinks(&links);
  if (PortalLinkCount(links) > 31) __builtin_trap();
  return entries == 0xFFFFFFFFu;
}
