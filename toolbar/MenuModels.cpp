// Menu entries and identifiers of the bookmarks menus.
#include "toolbar/MenuModels.h"

#include <cstring>

namespace marvella {

namespace {

unsigned CountSlots(const LinkEntry (&slots)[kLinkSlots]) {
  unsigned n = 0;
  while (n < kLinkSlots && slots[n].name[0]) ++n;
  return n;
}

MenuEntry Entry(unsigned id, const char* text) {
  return MenuEntry{id, IsSeparatorText(text), text};
}

int SlotFor(unsigned command, unsigned first) {
  if (command < first || command >= first + kLinkSlots) return -1;
  return static_cast<int>(command - first);
}

}  // namespace

bool IsSeparatorText(const char* description) { return std::strcmp(description, "SEPARATOR") == 0; }

unsigned UserMenuEntryCount(const UserMenu& menu) { return menu.items ? menu.itemCount : 0; }

MenuEntry UserMenuEntry(const UserMenu& menu, unsigned k) {
  return Entry(k + 1, menu.items[k].description);
}

const MenuItem* UserMenuItemFor(const UserMenu& menu, unsigned command) {
  if (command == 0 || command > UserMenuEntryCount(menu)) return nullptr;
  return &menu.items[command - 1];
}

unsigned SearchEngineCount(const SearchEngineTable& table) { return CountSlots(table.slots); }

MenuEntry SearchEngineEntry(const SearchEngineTable& table, unsigned k) {
  return Entry(kFirstSearchEngineCommand + k, table.slots[k].name);
}

int SearchEngineSlotFor(unsigned command) { return SlotFor(command, kFirstSearchEngineCommand); }

unsigned PortalLinkCount(const PortalLinks& links) { return CountSlots(links.slots); }

MenuEntry PortalLinkEntry(const PortalLinks& links, unsigned k) {
  return Entry(kFirstPortalLinkCommand + k, links.slots[k].name);
}

int PortalLinkSlotFor(unsigned command) { return SlotFor(command, kFirstPortalLinkCommand); }

}  // namespace marvella
