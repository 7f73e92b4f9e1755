// The bookmarks file: an INI file that configures the user menus (one toolbar button and
// drop-down menu per section), the search engines, the Mi Marvella links, the
// personalisation links and the internal addresses. Each toolbar reads its working copy
// once, when it is created, and refreshes that copy from the service once (again after each
// failed attempt); the fetched copy takes effect in the next toolbar.
#pragma once

#include "common/ProfileSource.h"
#include "toolbar/BookmarkTables.h"
#include "toolbar/DownloadClient.h"

#include <cstddef>
#include <memory>

namespace marvella {

constexpr std::size_t kMenuTextCapacity = 256;  // 255 characters
// A section may list any number of entries; a menu longer than this is of no use to anyone,
// and the file is outside input, so the rest is left out.
constexpr unsigned kMaxUserMenuItems = 1024;
// What GetPrivateProfileSectionNamesA gets to fill.
constexpr std::size_t kSectionNamesCapacity = 65025;
// The menu bar's button texts, all of them with their zeros (CommandRules.h): a menu
// whose name no longer fits gets no button, so it is not read either.
constexpr std::size_t kMenuBarStringsCapacity = 1024;

struct MenuItem {
  char description[kMenuTextCapacity];
  char url[kMenuTextCapacity];
};

// One user-menu section: a toolbar button (image `icon`, -1 for none) and its menu.
struct UserMenu {
  char name[kMenuTextCapacity] = "";
  int icon = -1;
  unsigned itemCount = 0;
  std::unique_ptr<MenuItem[]> items;
};

// True for the sections that are not user menus: "CERCADORS", "PERSONALITZACIONS",
// "INTERN" and "MIMARVELLA", compared exactly.
bool IsReservedSection(const char* name);

// Copies of count menus, items and all; null when count is 0 or memory ran out.
std::unique_ptr<UserMenu[]> CopyMenus(const UserMenu* menus, unsigned count);

class BookmarksFile : public DownloadClient {
 public:
  // Reads into the context's tables.
  explicit BookmarksFile(const FetchContext& context);
  ~BookmarksFile();

  // Reads the user menus of source, those whose names fit the menu bar, and, when there
  // is at least one, the reserved sections into the process-wide tables. A file without
  // user menus changes nothing at all.
  void Read(ProfileSource& source);

  // Where the refresh fetches from (string 2051) and the working copy it replaces.
  void SetDownload(const char* url, const char* workingCopyPath);

  // Called at each completed document: fetches the file until one fetch has succeeded.
  void Refresh();

  // Copies of count menus read from this same file, unchanged since, instead of reading it
  // again. False when memory ran out (nothing changed then).
  bool TakeMenusOf(const UserMenu* menus, unsigned count);

  unsigned MenuCount() const { return menuCount_; }
  const UserMenu* Menus() const { return menus_.get(); }
  const UserMenu* Menu(unsigned k) const { return k < menuCount_ ? &menus_[k] : nullptr; }
  BookmarkTables& Tables() { return tables_; }

 private:
  void ReadUserMenu(ProfileSource& source, const char* section, UserMenu* menu);

  BookmarkTables& tables_;
  std::unique_ptr<UserMenu[]> menus_;
  unsigned menuCount_ = 0;
  bool upToDate_ = false;
  char url_[kRequestUrlCapacity] = "";
  char workingCopy_[kRequestPathCapacity] = "";
};

}  // namespace marvella
