// Hidden fields read from page bytes: the cases that tell a right reader from a sloppy
// one, and pages that end without a zero byte (each page here is an exact-size heap copy,
// so a read past its end is caught by the address sanitizer).
#include "toolbar/FieldSearch.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

using marvella::ReadHiddenNumber;
using marvella::ReadHiddenText;

namespace {

// The page as a mapped file holds it: exactly its bytes, no terminating zero.
struct Page {
  explicit Page(const std::string& text) : size(text.size()), bytes(new char[text.size()]) {
    std::memcpy(bytes.get(), text.data(), text.size());
  }
  std::size_t size;
  std::unique_ptr<char[]> bytes;
};

int Number(const std::string& text, const char* field = "TOKENS") {
  Page page(text);
  return ReadHiddenNumber(page.bytes.get(), page.size, field);
}

bool Text(const std::string& text, const char* field, std::string* value) {
  Page page(text);
  char out[260];
  std::memset(out, '#', sizeof out);
  bool found = ReadHiddenText(page.bytes.get(), page.size, field, out, sizeof out);
  if (found) *value = out;
  return found;
}

const std::string kOpen = "<INPUT TYPE=HIDDEN NAME=\"";

}  // namespace

TEST(FieldSearch, ValueRightAfterEqualsAndQuoteInsideTheTag) {
  EXPECT_EQ(12, Number("<html>" + kOpen + "TOKENS\" VALUE=\"12\"></html>"));
  EXPECT_EQ(-1, Number(kOpen + "TOKENS\" VALUE =\"12\">"));  // blank before =
  EXPECT_EQ(-1, Number(kOpen + "TOKENS\" VALUE= \"12\">"));  // blank after =
  EXPECT_EQ(-1, Number(kOpen + "TOKENS\"> VALUE=\"12\""));   // VALUE after the tag's end
  EXPECT_EQ(-1, Number(kOpen + "TOKENS\" VALUE=\"12>\""));   // closing quote after the end
  EXPECT_EQ(-1, Number(kOpen + "TOKENS\" VALUE=\"12\""));    // the tag never ends
  EXPECT_EQ(-1, Number("<input type=hidden name=\"TOKENS\" value=\"12\">"));  // case counts
  EXPECT_EQ(-1, Number(kOpen + "TOKENSX\" VALUE=\"12\">"));  // another field's name
}

TEST(FieldSearch, NumbersFollowTheLeadingDigitsRule) {
  EXPECT_EQ(0, Number(kOpen + "TOKENS\" VALUE=\"abc\">"));  // found, but no digits
  EXPECT_EQ(4, Number(kOpen + "TOKENS\" VALUE=\"4x\">"));
  EXPECT_EQ(0, Number(kOpen + "TOKENS\" VALUE=\"\">"));
  EXPECT_EQ(-7, Number(kOpen + "TOKENS\" VALUE=\" -7\">"));
  EXPECT_EQ(2147483647, Number(kOpen + "TOKENS\" VALUE=\"99999999999999999999\">"));
}

TEST(FieldSearch, FirstFieldOfThatNameCountsAndOtherFieldsAreSkipped) {
  std::string page = kOpen + "WEBMAIL\" VALUE=\"3\">" + kOpen + "TOKENS\" VALUE=\"8\">" + kOpen +
                     "TOKENS\" VALUE=\"9\">";
  EXPECT_EQ(8, Number(page));
  EXPECT_EQ(3, Number(page, "WEBMAIL"));
  // A broken first field is not rescued by a later good one.
  EXPECT_EQ(-1, Number(kOpen + "TOKENS\">" + kOpen + "TOKENS\" VALUE=\"9\">"));
}

TEST(FieldSearch, TextsUpTo259CharactersAreKept) {
  std::string value;
  ASSERT_TRUE(Text(kOpen + "PAGPERS\" VALUE=\"http://host/~ana\">", "PAGPERS", &value));
  EXPECT_EQ("http://host/~ana", value);
  ASSERT_TRUE(
      Text(kOpen + "PAGPERS\" VALUE=\"" + std::string(259, 'a') + "\">", "PAGPERS", &value));
  EXPECT_EQ(std::string(259, 'a'), value);
  EXPECT_FALSE(
      Text(kOpen + "PAGPERS\" VALUE=\"" + std::string(260, 'a') + "\">", "PAGPERS", &value));
  ASSERT_TRUE(Text(kOpen + "PAGPERS\" VALUE=\"\">", "PAGPERS", &value));
  EXPECT_EQ("", value);
}

TEST(FieldSearch, SearchEndsAtTheFirstZeroByteOrTheEndOfThePage) {
  std::string field = kOpen + "TOKENS\" VALUE=\"5\">";
  EXPECT_EQ(-1, Number(std::string("head\0", 5) + field));
  EXPECT_EQ(5, Number(field + std::string("\0tail", 5)));
  // Pages cut at every length: never found before the whole field is there, never a read
  // past the last byte.
  for (std::size_t n = 0; n < field.size(); ++n) EXPECT_EQ(-1, Number(field.substr(0, n))) << n;
  std::string value;
  std::string text = kOpen + "PAGPERS\" VALUE=\"abc\">";
  for (std::size_t n = 0; n < text.size(); ++n)
    EXPECT_FALSE(Text(text.substr(0, n), "PAGPERS", &value));
  EXPECT_EQ(-1, ReadHiddenNumber(nullptr, 0, "TOKENS"));
}
