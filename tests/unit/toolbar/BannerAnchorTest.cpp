// The banner anchor and its attribute rule.
#include "toolbar/BannerAnchor.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

using marvella::BannerAnchor;

namespace {

bool Parse(const std::string& text, BannerAnchor* anchor) {
  std::unique_ptr<char[]> bytes(new char[text.size() + 1]);
  std::memcpy(bytes.get(), text.data(), text.size());
  return marvella::ParseBannerAnchor(bytes.get(), text.size(), anchor);
}

}  // namespace

TEST(BannerAnchor, ReadsLinkImageAndAlt) {
  BannerAnchor a;
  ASSERT_TRUE(
      Parse("<p><A HREF=\"http://p/x\" TARGET=\"_top\"><IMG SRC=\"http://p/b.jpg\" "
            "ALT=\"Viajes baratos\" BORDER=0></A></p>",
            &a));
  EXPECT_STREQ("http://p/x", a.link);
  EXPECT_STREQ("http://p/b.jpg", a.image);
  EXPECT_STREQ("Viajes baratos", a.alt);
}

TEST(BannerAnchor, MissingAltGivesAnEmptyText) {
  BannerAnchor a;
  std::strcpy(a.alt, "old");
  ASSERT_TRUE(Parse("<A HREF=\"http://l\"><IMG SRC=\"i\"></A>", &a));
  EXPECT_STREQ("", a.alt);
}

TEST(BannerAnchor, BlanksAroundTheEqualsSignLoseTheLink) {
  BannerAnchor a;
  EXPECT_FALSE(Parse("<A HREF = \"l\"><IMG SRC=\"i\"></A>", &a));
  EXPECT_STREQ("", a.link);
  EXPECT_STREQ("", a.image);
  EXPECT_FALSE(Parse("<A href=\"l\"><IMG SRC=\"i\"></A>", &a));  // names are case-sensitive
}

TEST(BannerAnchor, ALinkThatIsNoWebPageFailsTheAnchor) {
  BannerAnchor a;
  EXPECT_FALSE(Parse("<A HREF=\"javascript:x\"><IMG SRC=\"i\"></A>", &a));
  EXPECT_STREQ("", a.link);   // never adopted
  EXPECT_STREQ("", a.image);  // nor its image fetched
}

TEST(BannerAnchor, ValuesFoundBeforeAFailingStepStayStored) {
  BannerAnchor a;
  EXPECT_FALSE(Parse("<A HREF=\"http://new\"><IMG SRC=\"i\">", &a));  // no </A>
  EXPECT_STREQ("http://new", a.link);
  EXPECT_STREQ("", a.image);
  std::strcpy(a.image, "old.jpg");
  std::strcpy(a.alt, "old alt");
  EXPECT_FALSE(Parse("<A HREF=\"http://l2\"><IMG ALT=\"x\"></A>", &a));  // no SRC
  EXPECT_STREQ("http://l2", a.link);
  EXPECT_STREQ("old.jpg", a.image);
  EXPECT_STREQ("old alt", a.alt);
}

TEST(BannerAnchor, TagsMustComeInOrder) {
  BannerAnchor a;
  EXPECT_FALSE(Parse("<IMG SRC=\"i\"><A HREF=\"http://l\"></A>", &a));  // IMG before the anchor
  EXPECT_FALSE(Parse("<A HREF=\"http://l\"><IMG SRC=\"i\"", &a));       // IMG never ends
  // An attribute only counts inside its own tag.
  EXPECT_FALSE(Parse("<A TITLE=\"x\">HREF=\"http://l\"<IMG SRC=\"i\"></A>", &a));
  EXPECT_FALSE(Parse("<A HREF=\"http://l\"><IMG ALT=\"a\">SRC=\"i\"</A>", &a));
  EXPECT_FALSE(Parse("<A HREF=\"http://l>\"><IMG SRC=\"i\"></A>", &a));  // value runs past the tag
}

TEST(BannerAnchor, ValuesLongerThan259CharactersAreNotFound) {
  BannerAnchor a;
  ASSERT_TRUE(Parse("<A HREF=\"http://" + std::string(252, 'h') + "\"><IMG SRC=\"i\"></A>", &a));
  EXPECT_EQ(259u, std::strlen(a.link));
  EXPECT_FALSE(Parse("<A HREF=\"http://l\"><IMG SRC=\"" + std::string(260, 's') + "\"></A>", &a));
  // A long ALT is only an absent one.
  EXPECT_TRUE(
      Parse("<A HREF=\"http://l\"><IMG SRC=\"i\" ALT=\"" + std::string(300, 'a') + "\"></A>", &a));
  EXPECT_STREQ("", a.alt);
}

TEST(BannerAnchor, PageEndsAtItsFirstZeroByte) {
  BannerAnchor a;
  std::string page = "<A HREF=\"http://l\"><IMG SRC=\"i\"></A>";
  EXPECT_FALSE(Parse(page.substr(0, 20) + std::string(1, '\0') + page.substr(20), &a));
  for (std::size_t n = 0; n < page.size(); ++n) EXPECT_FALSE(Parse(page.substr(0, n), &a)) << n;
}
