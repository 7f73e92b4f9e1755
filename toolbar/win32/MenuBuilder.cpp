// Windows menus from the bookmarks tables.
#include "toolbar/win32/MenuBuilder.h"

namespace marvella {

namespace {

void Append(HMENU menu, const MenuEntry& entry) {
  if (entry.separator)
    AppendMenuA(menu, MF_SEPARATOR, entry.id, nullptr);
  else
    AppendMenuA(menu, MF_STRING, entry.id, entry.text);
}

}  // namespace

HMENU CreateUserMenuPopup(const UserMenu& menu) {
  HMENU popup = CreatePopupMenu();
  if (!popup) return nullptr;
  for (unsigned k = 0; k < UserMenuEntryCount(menu); ++k) Append(popup, UserMenuEntry(menu, k));
  return popup;
}

HMENU CreateSearchEnginePopup(const SearchEngineTable& engines) {
  HMENU popup = CreatePopupMenu();
  if (!popup) return nullptr;
  for (unsigned k = 0; k < SearchEngineCount(engines); ++k)
    Append(popup, SearchEngineEntry(engines, k));
  return popup;
}

void InsertPortalLinks(HMENU miMarvella, const PortalLinks& links) {
  int last = GetMenuItemCount(miMarvella) - 1;
  if (last < 0) last = 0;
  for (unsigned k = 0; k < PortalLinkCount(links); ++k) {
    MenuEntry entry = PortalLinkEntry(links, k);
    UINT position = static_cast<UINT>(last) + k;
    if (entry.separator)
      InsertMenuA(miMarvella, position, MF_BYPOSITION | MF_SEPARATOR, entry.id, nullptr);
    else
      InsertMenuA(miMarvella, position, MF_BYPOSITION | MF_STRING, entry.id, entry.text);
  }
}

}  // namespace marvella
