// The three kinds of drop-down menu built from the bookmarks file, as entries with their
// command identifiers, and the way back from a chosen identifier to what it stands for.
// The Win32 builders turn the entries into menus; the controls look the choice up here.
//
//   user menu popup       item k          -> k + 1       (0: nothing chosen)
//   search engine popup   slot k          -> 21301 + k
//   Mi Marvella menu      PortalLinks k   -> 21501 + k, inserted before its last item
// A description that is exactly "SEPARATOR" is a separator line with the same identifier.
#pragma once

#include "toolbar/BookmarkTables.h"
#include "toolbar/BookmarksFile.h"

namespace marvella {

constexpr unsigned kFirstSearchEngineCommand = 21301;
constexpr unsigned kFirstPortalLinkCommand = 21501;

struct MenuEntry {
  unsigned id;
  bool separator;
  const char* text;  // points into the menu or table it was built from
};

bool IsSeparatorText(const char* description);

unsigned UserMenuEntryCount(const UserMenu& menu);
MenuEntry UserMenuEntry(const UserMenu& menu, unsigned k);
// The item a user-menu choice stands for; null for 0 (nothing chosen) or an unknown one.
const MenuItem* UserMenuItemFor(const UserMenu& menu, unsigned command);

// Slots up to the first empty name.
unsigned SearchEngineCount(const SearchEngineTable& table);
MenuEntry SearchEngineEntry(const SearchEngineTable& table, unsigned k);
// The slot a search-engine choice stands for (21301 to 21332), or -1.
int SearchEngineSlotFor(unsigned command);

unsigned PortalLinkCount(const PortalLinks& links);
MenuEntry PortalLinkEntry(const PortalLinks& links, unsigned k);
// The slot a Mi Marvella choice stands for (21501 to 21532), or -1 for the menu's own
// commands.
int PortalLinkSlotFor(unsigned command);

}  // namespace marvella
