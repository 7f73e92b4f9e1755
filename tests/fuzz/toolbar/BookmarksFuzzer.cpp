// Reading a bookmarks file from arbitrary bytes, then building every menu from it.
// The bytes become INI data the way the system's reader splits them: "[name]" lines open
// sections, "key=value" lines fill them, values trimmed.
#include "tests/unit/toolbar/ToolbarFakes.h"
#include "toolbar/BookmarksFile.h"
#include "toolbar/MenuModels.h"

#include <cstdint>
#include <string>

namespace {

std::string Trim(const std::string& s) {
  std::size_t a = s.find_first_not_of(" \t\r");
  if (a == std::string::npos) return std::string();
  std::size_t b = s.find_last_not_of(" \t\r");
  return s.substr(a, b - a + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace marvella;
  testing::MemoryProfile profile;
  std::string text(reinterpret_cast<const char*>(data), size);
  bool inSection = false;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = Trim(text.substr(start, end - start));
    start = end + 1;
    if (line.size() >= 2 && line[0] == '[' && line.find(']') != std::string::npos) {
      std::string name = line.substr(1, line.find(']') - 1);
      if (name.find('\0') != std::string::npos || name.empty()) continue;
      profile.Section(name);
      inSection = true;
    } else if (inSection && line.find('=') != std::string::npos) {
      std::string key = Trim(line.substr(0, line.find('=')));
      std::string value = Trim(line.substr(line.find('=') + 1));
      if (key.find('\0') == std::string::npos && value.find('\0') == std::string::npos)
        profile.Key(key, value);
    }
  }

  testing::RecordingFetcher fetcher;
  testing::ManualStarter starter;
  DownloadQueue queue(fetcher, starter);
  BookmarkTables tables;
  BookmarksFile file(queue, "Tandem Marvella", tables);
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
