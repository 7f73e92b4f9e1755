// The toolbar's window-free arithmetic: control positions, the sizes the band reports, the
// layout kept between sessions, the version offer (once per version, one box at a time) and
// the table of filtered rebars.
#include "toolbar/BarLayout.h"
#include "toolbar/RebarTable.h"
#include "toolbar/VersionPrompt.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

using namespace marvella;

TEST(BarLayout, ControlsStandSideBySideAndTheBandKnowsItsSizes) {
  // Indexed by slot: show, banner, tools, home, search, mail, menu bar.
  const BarSize sizes[kBarSlots] = {{25, 22}, {103, 22}, {23, 22}, {31, 22},
                                    {160, 24}, {29, 22}, {300, 22}};
  int x[kBarSlots];
  PlaceControls(sizes, x);
  // Banner, home, tools, search, mail, menu bar from the left; the show button at 0.
  EXPECT_EQ(0, x[kShowSlot]);
  EXPECT_EQ(0, x[kBannerSlot]);
  EXPECT_EQ(103, x[kHomeSlot]);
  EXPECT_EQ(134, x[kToolsSlot]);
  EXPECT_EQ(157, x[kSearchSlot]);
  EXPECT_EQ(317, x[kMailSlot]);
  EXPECT_EQ(346, x[kMenuSlot]);

  BarLayout layout = MeasureBar(sizes);
  EXPECT_EQ(103, layout.leftWidth);
  EXPECT_EQ(646, layout.fullWidth);  // the show button takes no room of its own
  EXPECT_EQ(24, layout.bandHeight);
  EXPECT_FALSE(layout.collapsed);

  BandSizes open = BandSizesOf(layout);
  EXPECT_EQ(103, open.minimum.width);
  EXPECT_EQ(24, open.minimum.height);
  EXPECT_EQ(646, open.maximum.width);
  layout.collapsed = true;
  BandSizes shut = BandSizesOf(layout);
  EXPECT_EQ(25, shut.minimum.width);
  EXPECT_EQ(22, shut.minimum.height);
  EXPECT_EQ(25, shut.maximum.width);
  EXPECT_EQ(22, shut.maximum.height);
}

namespace {

class Settings : public SettingsStore {
 public:
  bool Read(const char* name, char* buffer, std::size_t capacity) override {
    auto it = values.find(name);
    if (it == values.end()) return false;
    std::string v = it->second.substr(0, capacity - 1);
    v.copy(buffer, v.size());
    buffer[v.size()] = '\0';
    return true;
  }
  void Write(const char* name, const char* text) override { values[name] = text; }
  std::map<std::string, std::string> values;
};

class Host : public VersionPromptHost {
 public:
  bool AskToDownload() override {
    ++asked;
    if (whileOpen) whileOpen();
    return answer;
  }
  void Navigate(const char* url) override { navigated += url; }
  int asked = 0;
  bool answer = false;
  std::string navigated;
  void (*whileOpen)() = nullptr;
};

}  // namespace

TEST(BarLayout, StoredLayoutComesBackWholeOrNotAtAll) {
  struct Counting : Settings {
    void Write(const char* name, const char* text) override {
      ++writes;
      Settings::Write(name, text);
    }
    int writes = 0;
  } settings;
  BarLayout measured =
      MeasureBar({{25, 22}, {103, 22}, {23, 22}, {31, 22}, {160, 24}, {29, 22}, {300, 22}});
  measured.collapsed = true;  // a state, not a size: never stored
  StoreLayout(settings, measured);
  StoreLayout(settings, measured);  // the same layout is not written again
  EXPECT_EQ(1, settings.writes);
  EXPECT_EQ("103 24 646 25 22", settings.values["Layout"]);
  BarLayout read;
  ASSERT_TRUE(ReadStoredLayout(settings, &read));
  auto fields = [](const BarLayout& l) {
    return std::vector<int>{l.leftWidth, l.bandHeight,          l.fullWidth,
                            l.collapsed, l.collapsedSize.width, l.collapsedSize.height};
  };
  EXPECT_EQ((std::vector<int>{103, 24, 646, false, 25, 22}), fields(read));

  // Anything but five plain numbers from 1 to 32767 leaves the layout to be measured.
  for (const char* text : {"", "103 24 646 25", "103 24 646 25 22 7", "103 24 646 25 0",
                           "103 24 646 25 022", "-103 24 646 25 22", "103 24 646 25 22x",
                           "103,24,646,25,22", "32768 24 646 25 22", "99999999999 1 1 1 1"}) {
    settings.values["Layout"] = text;
    EXPECT_FALSE(ReadStoredLayout(settings, &read)) << '"' << text << '"';
    EXPECT_EQ(103, read.leftWidth) << '"' << text << '"';  // untouched
  }
  settings.values["Layout"] = " 32767  1 2 3 4";
  EXPECT_TRUE(ReadStoredLayout(settings, &read));
  EXPECT_EQ(32767, read.leftWidth);
}

TEST(VersionPrompt, OfferedOncePerNewerVersionWhateverTheAnswer) {
  struct Case {
    const char* lastVersion;
    const char* lastAsked;  // null: no value stored
    bool answer;
    bool asks;
    const char* stored;  // "LastAskedVersion" afterwards, null when absent
  } cases[] = {
      {"1.02", nullptr, false, true, "1.02"},
      {"1.02", nullptr, true, true, "1.02"},
      {"1.02", "1.02", true, false, "1.02"},
      {"1.02", "1.020", true, false, "1.020"},  // the same number
      {"1.03", "1.02", false, true, "1.03"},
      {"1.01", nullptr, true, false, nullptr},
      {"1.0", nullptr, true, false, nullptr},
      {"nueva", nullptr, true, false, nullptr},
      {"", nullptr, true, false, nullptr},
      {"2", "texto", true, true, "2"},
      {" 1.5beta", nullptr, false, true, " 1.5beta"},
      {"1.0100000000000001", nullptr, false, true, "1.0100000000000001"},
      {"1.010", nullptr, true, false, nullptr},  // this toolbar's own version
  };
  for (const Case& c : cases) {
    Settings settings;
    if (c.lastAsked) settings.values["LastAskedVersion"] = c.lastAsked;
    Host host;
    host.answer = c.answer;
    RunVersionPrompt(c.lastVersion, "http://p/nueva", settings, host);
    EXPECT_EQ(c.asks ? 1 : 0, host.asked) << c.lastVersion;
    EXPECT_EQ(c.asks && c.answer ? "http://p/nueva" : "", host.navigated) << c.lastVersion;
    auto it = settings.values.find("LastAskedVersion");
    EXPECT_EQ(c.stored ? c.stored : "<none>",
              it == settings.values.end() ? "<none>" : it->second)
        << c.lastVersion;
  }
  // Without a download page there is nothing to offer, and nothing is recorded.
  Settings settings;
  Host host;
  RunVersionPrompt("1.02", "", settings, host);
  EXPECT_EQ(0, host.asked);
  EXPECT_TRUE(settings.values.empty());
}

// Exact: the i686 build once kept one side of a floating-point comparison at 80 bits, so
// "1.01" came out newer than itself and a stored "1.02" never equalled an offered one.
TEST(VersionPrompt, VersionsCompareDigitForDigit) {
  struct Case {
    const char* a;
    const char* b;
    int order;
  } cases[] = {
      {"1.02", "1.020", 0},   {"1.01", "1.01", 0},   {"1.02", "1.02", 0},
      {"01.5", "1.50", 0},    {"1.", "1", 0},        {".5", "0.5", 0},
      {"-0", "0", 0},         {"abc", "0", 0},       {"", "texto", 0},
      {nullptr, "0.0", 0},    {" \t1.5beta", "1.5", 0}, {"1.1", "1.02", 1},
      {"1.0100000000000001", "1.01", 1},             {"2", "1.99999999999999999999", 1},
      {"10", "9.9", 1},       {"1.02", "1.01", 1},   {"0.001", "", 1},
      {"-1", "0", -1},        {"-1.5", "-1.49", -1}, {"+1.5", "1.5", 0},
      {"1e3", "1", 0},        {".", "0", 0},         {"-.5", "0", -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.order, CompareVersions(c.a, c.b)) << (c.a ? c.a : "null") << " " << c.b;
    EXPECT_EQ(-c.order, CompareVersions(c.b, c.a)) << c.b << " " << (c.a ? c.a : "null");
  }
}

namespace {
Settings* g_settings;
Host* g_inner;
}  // namespace

TEST(VersionPrompt, ADocumentCompletingWhileTheBoxIsOpenAsksNothing) {
  Settings settings;
  Host outer, inner;
  g_settings = &settings;
  g_inner = &inner;
  outer.whileOpen = [] { RunVersionPrompt("1.02", "u", *g_settings, *g_inner); };
  RunVersionPrompt("1.02", "u", settings, outer);
  EXPECT_EQ(1, outer.asked);
  EXPECT_EQ(0, inner.asked);
  Settings fresh;
  RunVersionPrompt("1.02", "u", fresh, inner);  // the guard is down again
  EXPECT_EQ(1, inner.asked);
}

TEST(RebarTable, SixtyFourRebarsThenNoMore) {
  RebarTable table;
  static int rebars[RebarTable::kEntries + 1];
  for (int i = 0; i < RebarTable::kEntries; ++i)
    EXPECT_EQ(i, table.Claim(&rebars[i], &rebars[i], nullptr));
  EXPECT_EQ(-1, table.Claim(&rebars[RebarTable::kEntries], nullptr, nullptr));
  RebarTable::Entry entry;
  EXPECT_FALSE(table.Find(&rebars[RebarTable::kEntries], &entry));
  table.Release(7);
  EXPECT_FALSE(table.Find(&rebars[7], &entry));
  int procedure = 0;
  EXPECT_EQ(7, table.Claim(&rebars[RebarTable::kEntries], &procedure, &procedure));
  ASSERT_TRUE(table.Find(&rebars[RebarTable::kEntries], &entry));
  EXPECT_EQ(&procedure, entry.owner);
  EXPECT_EQ(&procedure, entry.replaced);
}
