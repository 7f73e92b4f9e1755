// The search text's escaping and the engines' templates, the Mi Marvella menu's lines, the
// menu bar's texts and the keyboard-hook table.
#include "toolbar/CommandRules.h"
#include "toolbar/LinkRules.h"
#include "toolbar/SearchQuery.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace marvella;

namespace {

// Both operations into a buffer of exactly capacity bytes, checked for overruns.
std::string Escaped(const std::string& text, std::size_t capacity = kEscapedQueryCapacity) {
  std::string out(capacity + 1, '#');
  EscapeQuery(text.c_str(), &out[0], capacity);
  EXPECT_EQ('#', out[capacity]);
  return out.c_str();
}

std::string Formatted(const std::string& templ, const char* escaped) {
  std::string out(kSearchUrlCapacity + 1, '#');
  FormatSearchUrl(templ.c_str(), escaped, &out[0], kSearchUrlCapacity);
  EXPECT_EQ('#', out[kSearchUrlCapacity]);
  return out.c_str();
}

}  // namespace

TEST(SearchQuery, EscapesWhatAnAddressWouldMisreadAndCutsAtWholeEscapes) {
  const std::pair<std::string, std::string> cases[] = {
      {"a b&c", "a%20b%26c"},
      {"c++ 1+1", "c%2B%2B%201%2B1"},  // a form's query reads a bare "+" as a space
      {"año", "a%F1o"},
      {"AZaz09-_.!*'(),$", "AZaz09-_.!*'(),$"},
      {" <>\"#%{}|\\^~[]`;/?:@=&+",
       "%20%3C%3E%22%23%25%7B%7D%7C%5C%5E%7E%5B%5D%60%3B%2F%3F%3A%40%3D%26%2B"},
      {"\x01\x1F\x7F\x80\xFF", "%01%1F%7F%80%FF"},
      {std::string(300, 'a'), std::string(259, 'a')},
  };
  for (const auto& c : cases) EXPECT_EQ(c.second, Escaped(c.first)) << c.first;
  EXPECT_EQ(258u, Escaped(std::string(100, ' ')).size());  // 86 escapes; the 87th won't fit
  EXPECT_EQ("ab%20", Escaped("ab cd", 6));
  EXPECT_EQ("ab", Escaped("ab cd", 5));
}

TEST(SearchQuery, TemplatesTakeTheQueryOnceOrTwiceAndNothingElse) {
  const std::pair<std::string, std::string> cases[] = {
      {"http://h/?Inicio=1&Query=%s", "http://h/?Inicio=1&Query=a%20b%26c"},
      {"http://h/?q=%s&eco=%s", "http://h/?q=a%20b%26c&eco=a%20b%26c"},
      {"http://h/sin", "http://h/sin"},
      {"", ""},
      {"http://h/?a=%s&b=%s&c=%s&d=%d%n%", "http://h/?a=a%20b%26c&b=a%20b%26c&c=%s&d=%d%n%"},
      {"http://h/?p=100%%&q=%s", "http://h/?p=100%&q=a%20b%26c"},
      {std::string(1020, 'x') + "%s", std::string(1020, 'x') + "a"},  // no half escape
      {std::string(2000, 'x'), std::string(1023, 'x')},
  };
  for (const auto& c : cases) EXPECT_EQ(c.second, Formatted(c.first, "a%20b%26c")) << c.first;
}

TEST(LinkRules, OnlyWebPagesAndMenuMailLinksAreOpened) {
  const struct {
    const char* address;
    bool page, pageOrMail;
  } cases[] = {
      {"http://h/x", true, true},
      {"HTTPS://h/x?q=%s", true, true},
      {"mailto:ana@h", false, true},
      {"javascript:alert(1)", false, false},
      {"JavaScript:http://h/", false, false},
      {"file:///C:/autoexec.bat", false, false},
      {" http://h/", false, false},  // no scheme where the browser looks for one
      {"http:/h", false, false},
      {"http://h/\nx", false, false},  // no control character anywhere
      {"www.h.es", false, false},
      {"", false, false},
      {nullptr, false, false},
  };
  for (const auto& c : cases) {
    const char* shown = c.address ? c.address : "(null)";
    EXPECT_EQ(c.page, MayOpen(c.address, LinkUse::kPage)) << shown;
    EXPECT_EQ(c.pageOrMail, MayOpen(c.address, LinkUse::kPageOrMail)) << shown;
  }
}

TEST(CommandRules, MiMarvellaLinesMenuBarTextsAndTheHookTable) {
  const struct {
    bool page;
    int tokens;
    const char* text;  // null: no tokens line
  } lines[] = {{true, 7, "Tienes 7 tokens"}, {false, -1, nullptr}, {true, 0, "Tienes 0 tokens"}};
  for (const auto& c : lines) {
    MiMarvellaLines chosen = ChooseMiMarvellaLines(c.page, c.tokens, "Tienes %d tokens");
    EXPECT_EQ(c.page, chosen.personalPage);
    EXPECT_EQ(c.text != nullptr, chosen.tokens);
    EXPECT_STREQ(c.text ? c.text : "", c.text ? chosen.tokensText : "");
  }

  // Menu names of 255: "Mi Marvella" and three fit in the bar's 1024 bytes, a fourth not.
  UserMenu menus[5];
  for (UserMenu& menu : menus) std::memset(menu.name, 'n', 255);
  char out[kMenuBarStringsCapacity];
  EXPECT_EQ(3u, BuildMenuBarStrings("Mi Marvella", menus, 5, out, sizeof out));
  EXPECT_EQ('\0', out[12 + 3 * 256]);

  KeyboardHookTable table;
  int box[2];
  for (int i = 0; i < KeyboardHookTable::kEntries; ++i) EXPECT_EQ(i, table.Take(100 + i, &box[0]));
  EXPECT_EQ(-1, table.Take(999, &box[1]));  // a 65th box fails
  table.Release(5);
  EXPECT_EQ(nullptr, table.Find(105));
  EXPECT_EQ(5, table.Take(999, &box[1]));
  EXPECT_EQ(&box[1], table.Find(999));
}
