// The bookmarks menus as Windows menus: identifiers, separators, texts and the place of the
// Mi Marvella insertions.
#include "toolbar/win32/MenuBuilder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace marvella;

namespace {

std::string Text(HMENU menu, UINT position) {
  char text[256] = "";
  GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
  return text;
}

bool IsSeparator(HMENU menu, UINT position) {
  return (GetMenuState(menu, position, MF_BYPOSITION) & MF_SEPARATOR) != 0;
}

}  // namespace

TEST(MenuBuilder, UserMenuItemsCarryTheirNumberFromOne) {
  UserMenu menu;
  menu.items.reset(new MenuItem[3]);
  menu.itemCount = 3;
  std::strcpy(menu.items[0].description, "Foros");
  std::strcpy(menu.items[1].description, "SEPARATOR");
  std::strcpy(menu.items[2].description, "P\xE1ginas");
  HMENU popup = CreateUserMenuPopup(menu);
  ASSERT_NE(nullptr, popup);
  ASSERT_EQ(3, GetMenuItemCount(popup));
  EXPECT_EQ(1u, GetMenuItemID(popup, 0));
  EXPECT_EQ("Foros", Text(popup, 0));
  EXPECT_TRUE(IsSeparator(popup, 1));
  EXPECT_EQ("P\xE1ginas", Text(popup, 2));
  EXPECT_EQ(3u, GetMenuItemID(popup, 2));
  DestroyMenu(popup);

  UserMenu empty;
  HMENU none = CreateUserMenuPopup(empty);
  EXPECT_EQ(0, GetMenuItemCount(none));
  DestroyMenu(none);
}

TEST(MenuBuilder, SearchEnginesFrom21301) {
  SearchEngineTable engines;
  std::memset(&engines, 0, sizeof engines);
  std::strcpy(engines.slots[0].name, "Marvella");
  std::strcpy(engines.slots[1].name, "SEPARATOR");
  std::strcpy(engines.slots[2].name, "Lengua Espa\xF1ola");
  HMENU popup = CreateSearchEnginePopup(engines);
  ASSERT_EQ(3, GetMenuItemCount(popup));
  EXPECT_EQ(21301u, GetMenuItemID(popup, 0));
  EXPECT_TRUE(IsSeparator(popup, 1));
  EXPECT_EQ(21303u, GetMenuItemID(popup, 2));
  EXPECT_EQ("Lengua Espa\xF1ola", Text(popup, 2));
  DestroyMenu(popup);
}

TEST(MenuBuilder, PortalLinksGoJustBeforeTheLastItem) {
  HMENU menu = CreatePopupMenu();
  AppendMenuA(menu, MF_STRING, 40030, "Mi p\xE1gina personal");
  AppendMenuA(menu, MF_STRING, 40032, "Carpeta personal");
  HMENU personal = CreatePopupMenu();
  AppendMenuA(personal, MF_STRING, 40029, "Bolsa");
  AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(personal), "Personalizaciones");
  PortalLinks links;
  std::memset(&links, 0, sizeof links);
  std::strcpy(links.slots[0].name, "Agenda");
  std::strcpy(links.slots[1].name, "SEPARATOR");
  InsertPortalLinks(menu, links);
  ASSERT_EQ(5, GetMenuItemCount(menu));
  EXPECT_EQ("Carpeta personal", Text(menu, 1));
  EXPECT_EQ("Agenda", Text(menu, 2));
  EXPECT_EQ(21501u, GetMenuItemID(menu, 2));
  EXPECT_TRUE(IsSeparator(menu, 3));
  EXPECT_EQ("Personalizaciones", Text(menu, 4));
  EXPECT_EQ(personal, GetSubMenu(menu, 4));
  DestroyMenu(menu);
}
