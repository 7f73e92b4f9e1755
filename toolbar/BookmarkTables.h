// The process-wide tables read from the bookmarks file, shared by every toolbar of the
// process: search engines, the Mi Marvella links, the personalisation links and the
// internal addresses. Each toolbar that reads a file with user menus rewrites them, on its
// own browser window's thread, while menus of other toolbars read them; a lock keeps
// readers from seeing a half-written table, and readers take copies.
#pragma once

#include "toolbar/Threads.h"

#include <cstddef>

namespace marvella {

constexpr std::size_t kLinkTextCapacity = 255;  // 254 characters
constexpr unsigned kLinkSlots = 32;             // at most 31 entries and an empty terminator

struct LinkEntry {
  char name[kLinkTextCapacity];
  char url[kLinkTextCapacity];
};

// Entries from slot 0; the slot after the last entry has an empty name and URL.
struct SearchEngineTable {
  LinkEntry slots[kLinkSlots];
};

struct PortalLinks {
  char target[kLinkTextCapacity];
  LinkEntry slots[kLinkSlots];
};

struct PersonalizationLinks {
  char tiempo[kLinkTextCapacity];
  char bolsa[kLinkTextCapacity];
  char deportes[kLinkTextCapacity];
  char horoscopo[kLinkTextCapacity];
  char angeles[kLinkTextCapacity];
};

struct InternalSettings {
  char lastVersion[64];
  char lastVersionUrl[kLinkTextCapacity];
  char help[kLinkTextCapacity];
  char webMail[kLinkTextCapacity];
  char carpetaPersonal[kLinkTextCapacity];
  char log[kLinkTextCapacity];
};

class BookmarkTables {
 public:
  BookmarkTables();  // every table empty
  BookmarkTables(const BookmarkTables&) = delete;
  BookmarkTables& operator=(const BookmarkTables&) = delete;

  // Replaces the four tables at once.
  void Store(const SearchEngineTable& engines, const PersonalizationLinks& personalization,
             const PortalLinks& portal, const InternalSettings& internal);

  void CopySearchEngines(SearchEngineTable* out);
  void CopyPortalLinks(PortalLinks* out);
  void CopyPersonalizationLinks(PersonalizationLinks* out);
  void CopyInternalSettings(InternalSettings* out);

 private:
  Mutex mutex_;
  SearchEngineTable engines_;
  PortalLinks portal_;
  PersonalizationLinks personalization_;
  InternalSettings internal_;
};

}  // namespace marvella
