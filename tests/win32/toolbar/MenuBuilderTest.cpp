// The portal links inserted into the Mi Marvella menu: their place and their separators.
// (The user menus and the engines' popup are read and chosen from in CommandsWalkTest; their
// entries and identifiers are tested natively in MenuModelsTest.)
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
