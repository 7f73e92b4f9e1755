// The search text's escaping and the engines' templates, the Mi Marvella menu's lines, the
// menu bar's texts and the keyboard-hook table.
#include "toolbar/CommandRules.h"
#include "toolbar/SearchQuery.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

using namespace marvella;

namespace {

std::string Escaped(const std::string& text, std::size_t capacity = kEscapedQueryCapacity) {
  std::string out(capacity + 1, '#');
  EscapeQuery(text.c_str(), &out[0], capacity);
  EXPECT_EQ('#', out[capacity]) << "written past the end";
  return out.c_str();
}

std::string Formatted(const char* templ, const char* escaped,
                      std::size_t capacity = kSearchUrlCapacity) {
  std::string out(capacity + 1, '#');
  FormatSearchUrl(templ, escaped, &out[0], capacity);
  EXPECT_EQ('#', out[capacity]) << "written past the end";
  return out.c_str();
}

}  // namespace

TEST(SearchQuery, EscapesWhatAnAddressWouldMisread) {
  struct Case {
    std::string text, escaped;
  } cases[] = {
      {"a b&c", "a%20b%26c"},
      {"a\xF1o", "a%F1o"},
      {"\xE9", "%E9"},
      {"AZaz09-_.!*'(),$", "AZaz09-_.!*'(),$"},
      {" <>\"#%{}|\\^~[]`;/?:@=&", "%20%3C%3E%22%23%25%7B%7D%7C%5C%5E%7E%5B%5D%60%3B%2F%3F%3A%40%3D%26"},
      {"\x01\x1F\x7F\x80\xFF", "%01%1F%7F%80%FF"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(c.escaped, Escaped(c.text)) << c.text;
}

TEST(SearchQuery, ALongTextIsCutBeforeTheFirstCharacterThatNoLongerFits) {
  EXPECT_EQ(std::string(259, 'a'), Escaped(std::string(300, 'a')));
  // 86 escapes take 258 bytes; the 87th would end past 259 and is left off whole.
  EXPECT_EQ(258u, Escaped(std::string(100, ' ')).size());
  EXPECT_EQ("ab%20", Escaped("ab cd", 6));
  EXPECT_EQ("ab", Escaped("ab cd", 5));
  char out[kEscapedQueryCapacity];
  EXPECT_TRUE(EscapeQuery("a b", out, sizeof out));
  EXPECT_FALSE(EscapeQuery(std::string(300, 'a').c_str(), out, sizeof out));
}

TEST(SearchQuery, TemplatesTakeTheQueryOnceOrTwice) {
  struct Case {
    const char* templ;
    std::string url;
  } cases[] = {
      {"http://h/buscar?Inicio=1&Query=%s", "http://h/buscar?Inicio=1&Query=a%20b%26c"},
      {"http://h/?q=%s&eco=%s", "http://h/?q=a%20b%26c&eco=a%20b%26c"},
      {"http://h/sin", "http://h/sin"},
      {"", ""},
      // Nothing in a template can ask for arguments that are not there.
      {"http://h/?a=%s&b=%s&c=%s&d=%d%n%", "http://h/?a=a%20b%26c&b=a%20b%26c&c=%s&d=%d%n%"},
      {"http://h/?p=100%%&q=%s", "http://h/?p=100%&q=a%20b%26c"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.url, Formatted(c.templ, "a%20b%26c")) << c.templ;
}

TEST(SearchQuery, AnOverlongUrlIsCutAtAWholeEscape) {
  std::string templ(1020, 'x');
  templ += "%s";
  EXPECT_EQ(templ.substr(0, 1020) + "a", Formatted(templ.c_str(), "a%20%26"));  // no half escape
  EXPECT_EQ(std::string(1023, 'x'), Formatted(std::string(2000, 'x').c_str(), "q"));
  char out[kSearchUrlCapacity];
  EXPECT_FALSE(FormatSearchUrl(templ.c_str(), "a%20%26", out, sizeof out));
  EXPECT_TRUE(FormatSearchUrl("http://h/?q=%s", std::string(259, 'a').c_str(), out, sizeof out));
}

TEST(MiMarvellaMenu, PersonalPageAndTokensLinesFollowTheirFields) {
  struct Case {
    bool page;
    int tokens;
    bool pageLine, tokensLine;
    const char* text;
  } cases[] = {
      {true, 7, true, true, "Tienes 7 tokens"},
      {false, -1, false, false, ""},
      {true, 0, true, true, "Tienes 0 tokens"},
      {false, 1234567, false, true, "Tienes 1234567 tokens"},
  };
  for (const Case& c : cases) {
    MiMarvellaLines lines = ChooseMiMarvellaLines(c.page, c.tokens, "Tienes %d tokens");
    EXPECT_EQ(c.pageLine, lines.personalPage) << c.tokens;
    EXPECT_EQ(c.tokensLine, lines.tokens) << c.tokens;
    if (c.tokensLine) {
      EXPECT_STREQ(c.text, lines.tokensText);
    }
  }
  EXPECT_STREQ("Sin número", ChooseMiMarvellaLines(true, 3, "Sin número").tokensText);
}

TEST(MenuBarStrings, MenusWhoseNamesNoLongerFitGetNoButton) {
  UserMenu menus[6];
  const char* names[] = {"Contenidos", "Comunidad", "Servicios"};
  for (int i = 0; i < 3; ++i) std::snprintf(menus[i].name, sizeof menus[i].name, "%s", names[i]);
  char out[kMenuBarStringsCapacity];
  ASSERT_EQ(3u, BuildMenuBarStrings("Mi Marvella", menus, 3, out, sizeof out));
  EXPECT_EQ(std::string("Mi Marvella\0Contenidos\0Comunidad\0Servicios\0\0", 44),
            std::string(out, 44));
  // Names of 255 characters: "Mi Marvella" (12) and three of them (768) fit, a fourth
  // would pass 1024 with the last zero.
  for (UserMenu& menu : menus) {
    std::memset(menu.name, 'n', 255);
    menu.name[255] = '\0';
  }
  EXPECT_EQ(3u, BuildMenuBarStrings("Mi Marvella", menus, 6, out, sizeof out));
  EXPECT_EQ('\0', out[12 + 3 * 256]);
  EXPECT_EQ(0u, BuildMenuBarStrings("Mi Marvella", menus, 6, out, 200));
}

TEST(KeyboardHookTable, SixtyFourBoxesAtMostEachFoundByItsThread) {
  KeyboardHookTable table;
  int boxes[KeyboardHookTable::kEntries + 1];
  for (int i = 0; i < KeyboardHookTable::kEntries; ++i)
    EXPECT_EQ(i, table.Take(100 + i, &boxes[i]));
  EXPECT_EQ(-1, table.Take(999, &boxes[KeyboardHookTable::kEntries]));
  EXPECT_EQ(&boxes[5], table.Find(105));
  EXPECT_EQ(nullptr, table.Find(999));
  table.Release(5);
  EXPECT_EQ(nullptr, table.Find(105));
  EXPECT_EQ(5, table.Take(999, &boxes[KeyboardHookTable::kEntries]));  // the first free entry
  EXPECT_EQ(&boxes[KeyboardHookTable::kEntries], table.Find(999));
}
