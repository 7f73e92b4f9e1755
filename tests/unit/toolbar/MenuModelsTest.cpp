// Menu entries and identifiers built from the bookmarks tables, and the way back.
#include "toolbar/MenuModels.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace marvella;

namespace {

void Fill(LinkEntry& e, const char* name) {
  std::strcpy(e.name, name);
  std::strcpy(e.url, "http://h/");
}

}  // namespace

TEST(MenuModels, UserMenuItemsAreNumberedFromOne) {
  UserMenu menu;
  menu.items.reset(new MenuItem[3]);
  menu.itemCount = 3;
  std::strcpy(menu.items[0].description, "Foros");
  std::strcpy(menu.items[1].description, "SEPARATOR");
  std::strcpy(menu.items[2].description, "separator");
  std::strcpy(menu.items[2].url, "http://h/3");
  EXPECT_EQ(3u, UserMenuEntryCount(menu));
  MenuEntry e = UserMenuEntry(menu, 1);
  EXPECT_EQ(2u, e.id);
  EXPECT_TRUE(e.separator);
  EXPECT_FALSE(UserMenuEntry(menu, 2).separator);  // only the exact word
  EXPECT_STREQ("separator", UserMenuEntry(menu, 2).text);
  EXPECT_EQ(nullptr, UserMenuItemFor(menu, 0));  // nothing chosen
  EXPECT_STREQ("http://h/3", UserMenuItemFor(menu, 3)->url);
  EXPECT_EQ(nullptr, UserMenuItemFor(menu, 4));
}

TEST(MenuModels, SearchEnginesRunFrom21301UpToTheFirstEmptyName) {
  SearchEngineTable t;
  std::memset(&t, 0, sizeof t);
  Fill(t.slots[0], "Marvella");
  Fill(t.slots[1], "SEPARATOR");
  Fill(t.slots[2], "Lengua");
  Fill(t.slots[4], "after the end");
  ASSERT_EQ(3u, SearchEngineCount(t));
  EXPECT_EQ(21301u, SearchEngineEntry(t, 0).id);
  EXPECT_TRUE(SearchEngineEntry(t, 1).separator);
  EXPECT_EQ(21303u, SearchEngineEntry(t, 2).id);
  EXPECT_EQ(0, SearchEngineSlotFor(21301));
  EXPECT_EQ(31, SearchEngineSlotFor(21332));
  EXPECT_EQ(-1, SearchEngineSlotFor(21333));
  EXPECT_EQ(-1, SearchEngineSlotFor(21300));
  for (unsigned k = 0; k < kLinkSlots; ++k) Fill(t.slots[k], "full");
  EXPECT_EQ(32u, SearchEngineCount(t));  // never past the table
}

TEST(MenuModels, PortalLinksRunFrom21501AndLeaveTheMenusOwnCommandsAlone) {
  PortalLinks links;
  std::memset(&links, 0, sizeof links);
  Fill(links.slots[0], "Agenda");
  Fill(links.slots[1], "SEPARATOR");
  ASSERT_EQ(2u, PortalLinkCount(links));
  EXPECT_EQ(21501u, PortalLinkEntry(links, 0).id);
  EXPECT_STREQ("Agenda", PortalLinkEntry(links, 0).text);
  EXPECT_EQ(21502u, PortalLinkEntry(links, 1).id);
  EXPECT_TRUE(PortalLinkEntry(links, 1).separator);
  EXPECT_EQ(1, PortalLinkSlotFor(21502));
  for (unsigned own : {40019u, 40030u, 40032u, 40071u, 0u}) EXPECT_EQ(-1, PortalLinkSlotFor(own));
}
