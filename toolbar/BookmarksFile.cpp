// Reading and refreshing the bookmarks file.
#include "toolbar/BookmarksFile.h"

#include "common/BoundedText.h"
#include "toolbar/LinkRules.h"
#include "toolbar/PageText.h"

#include <cstring>
#include <new>

namespace marvella {

namespace {

const char* const kReserved[] = {"CERCADORS", "PERSONALITZACIONS", "INTERN", "MIMARVELLA"};

// "Description7", "URL12": the number in decimal without leading zeros.
void NumberedKey(char (&key)[32], const char* prefix, unsigned n) {
  char digits[12];
  int count = 0;
  do {
    digits[count++] = static_cast<char>('0' + n % 10);
    n /= 10;
  } while (n);
  CopyBounded(key, prefix);
  std::size_t at = std::strlen(key);
  while (count > 0 && at + 1 < sizeof key) key[at++] = digits[--count];
  key[at] = '\0';
}

// Reads a numbered table (CERCADORS, or the entries of MIMARVELLA): entries from 1 while
// the name key of that number is non-empty, at most 31, then the empty terminator. An
// address the toolbar would not open is read as empty.
void ReadLinkTable(ProfileSource& source, const char* section, const char* namePrefix, LinkUse use,
                   LinkEntry (&slots)[kLinkSlots]) {
  unsigned n = 1;
  for (; n < kLinkSlots; ++n) {
    char key[32];
    NumberedKey(key, namePrefix, n);
    LinkEntry& slot = slots[n - 1];
    if (source.ReadString(section, key, "", slot.name, sizeof slot.name) == 0) break;
    NumberedKey(key, "URL", n);
    source.ReadString(section, key, "", slot.url, sizeof slot.url);
    KeepIfOpenable(slot.url, use);
  }
  slots[n - 1].name[0] = '\0';
  slots[n - 1].url[0] = '\0';
}

struct ReservedTables {
  SearchEngineTable engines;
  PersonalizationLinks personalization;
  PortalLinks portal;
  InternalSettings internal;
};

}  // namespace

bool IsReservedSection(const char* name) {
  for (const char* reserved : kReserved)
    if (std::strcmp(name, reserved) == 0) return true;
  return false;
}

BookmarksFile::BookmarksFile(const FetchContext& context)
    : DownloadClient(context), tables_(context.tables) {}

BookmarksFile::~BookmarksFile() { Close(); }

void BookmarksFile::ReadUserMenu(ProfileSource& source, const char* section, UserMenu* menu) {
  CopyBounded(menu->name, section);
  char icon[256];
  if (source.ReadString(section, "Icon", "", icon, sizeof icon) > 0)
    menu->icon = LeadingNumber(icon, icon + std::strlen(icon));
  else
    menu->icon = -1;

  char key[32];
  char description[kMenuTextCapacity];
  unsigned count = 0;
  while (count < kMaxUserMenuItems) {
    NumberedKey(key, "Description", count + 1);
    if (source.ReadString(section, key, "", description, sizeof description) == 0) break;
    ++count;
  }
  menu->itemCount = 0;
  menu->items.reset();
  if (count == 0) return;
  menu->items.reset(new (std::nothrow) MenuItem[count]);
  if (!menu->items) return;
  for (unsigned k = 0; k < count; ++k) {
    MenuItem& item = menu->items[k];
    NumberedKey(key, "Description", k + 1);
    source.ReadString(section, key, "", item.description, sizeof item.description);
    NumberedKey(key, "URL", k + 1);
    source.ReadString(section, key, "", item.url, sizeof item.url);
    KeepIfOpenable(item.url, LinkUse::kPageOrMail);
  }
  menu->itemCount = count;
}

void BookmarksFile::Read(ProfileSource& source) {
  std::unique_ptr<char[]> names(new (std::nothrow) char[kSectionNamesCapacity]);
  if (!names) return;
  std::size_t length = source.ReadSectionNames(names.get(), kSectionNamesCapacity);
  if (length >= kSectionNamesCapacity) length = kSectionNamesCapacity - 1;
  names[length] = '\0';
  const char* end = names.get() + length;

  // Names are zero-ended one after the other; an empty one ends the list. The menus read
  // are those the bar can show: each key read is a profile call, which opens the file.
  unsigned userSections = 0;
  std::size_t barText = 1;  // the list's last zero
  for (const char* p = names.get(); p < end && *p; p += std::strlen(p) + 1) {
    if (IsReservedSection(p)) continue;
    std::size_t name = std::strlen(p);
    barText += (name < kMenuTextCapacity ? name : kMenuTextCapacity - 1) + 1;
    if (barText > kMenuBarStringsCapacity) break;
    ++userSections;
  }
  if (userSections == 0) return;

  std::unique_ptr<UserMenu[]> menus(new (std::nothrow) UserMenu[userSections]);
  std::unique_ptr<ReservedTables> tables(new (std::nothrow) ReservedTables);
  if (!menus || !tables) return;
  unsigned k = 0;
  for (const char* p = names.get(); k < userSections; p += std::strlen(p) + 1)
    if (!IsReservedSection(p)) ReadUserMenu(source, p, &menus[k++]);
  menus_ = std::move(menus);
  menuCount_ = userSections;

  ReservedTables& t = *tables;
  std::memset(&t, 0, sizeof t);
  ReadLinkTable(source, "CERCADORS", "Cercador", LinkUse::kPage, t.engines.slots);
  PersonalizationLinks& links = t.personalization;
  source.ReadString("PERSONALITZACIONS", "Tiempo", "", links.tiempo, sizeof links.tiempo);
  source.ReadString("PERSONALITZACIONS", "Bolsa", "", links.bolsa, sizeof links.bolsa);
  source.ReadString("PERSONALITZACIONS", "Deportes", "", links.deportes, sizeof links.deportes);
  source.ReadString("PERSONALITZACIONS", "Horoscopo", "", links.horoscopo, sizeof links.horoscopo);
  source.ReadString("PERSONALITZACIONS", "Angeles", "", links.angeles, sizeof links.angeles);
  source.ReadString("MIMARVELLA", "Target", "", t.portal.target, sizeof t.portal.target);
  ReadLinkTable(source, "MIMARVELLA", "Description", LinkUse::kPageOrMail, t.portal.slots);
  InternalSettings& in = t.internal;
  source.ReadString("INTERN", "LastVersion", "", in.lastVersion, sizeof in.lastVersion);
  source.ReadString("INTERN", "LastVersionURL", "", in.lastVersionUrl, sizeof in.lastVersionUrl);
  source.ReadString("INTERN", "Help", "", in.help, sizeof in.help);
  source.ReadString("INTERN", "WebMail", "", in.webMail, sizeof in.webMail);
  source.ReadString("INTERN", "CarpetaPersonal", "", in.carpetaPersonal, sizeof in.carpetaPersonal);
  source.ReadString("INTERN", "Log", "", in.log, sizeof in.log);
  // What the toolbar opens in the browser: web pages only (menu items above may be mail).
  char* const pages[] = {links.tiempo,  links.bolsa,       links.deportes,    links.horoscopo,
                         links.angeles, t.portal.target,   in.lastVersionUrl, in.help,
                         in.webMail,    in.carpetaPersonal};
  for (char* page : pages) KeepIfOpenable(page, LinkUse::kPage);
  tables_.Store(t.engines, t.personalization, t.portal, t.internal);
}

std::unique_ptr<UserMenu[]> CopyMenus(const UserMenu* menus, unsigned count) {
  std::unique_ptr<UserMenu[]> copies(count ? new (std::nothrow) UserMenu[count] : nullptr);
  if (!copies) return nullptr;
  for (unsigned k = 0; k < count; ++k) {
    const UserMenu& from = menus[k];
    UserMenu& to = copies[k];
    CopyBounded(to.name, from.name);
    to.icon = from.icon;
    if (!from.itemCount) continue;
    to.items.reset(new (std::nothrow) MenuItem[from.itemCount]);
    if (!to.items) return nullptr;
    std::memcpy(to.items.get(), from.items.get(), from.itemCount * sizeof(MenuItem));
    to.itemCount = from.itemCount;
  }
  return copies;
}

bool BookmarksFile::TakeMenusOf(const UserMenu* menus, unsigned count) {
  std::unique_ptr<UserMenu[]> copies = CopyMenus(menus, count);
  if (count && !copies) return false;
  menus_ = std::move(copies);
  menuCount_ = count;
  return true;
}

void BookmarksFile::SetDownload(const char* url, const char* workingCopyPath) {
  CopyBounded(url_, url);
  CopyBounded(workingCopy_, workingCopyPath);
}

void BookmarksFile::Refresh() {
  if (upToDate_ || BusyCount() > 0) return;
  if (LastResult()) {
    upToDate_ = true;
    return;
  }
  if (url_[0] && workingCopy_[0]) QueueDownload(url_, workingCopy_, kLargestBookmarksBody);
}

}  // namespace marvella
