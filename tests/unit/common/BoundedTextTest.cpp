// Bounded copies cut long texts at the buffer and never touch a byte past it.
#include "common/BoundedText.h"

#include <gtest/gtest.h>

#include <cstring>

using marvella::AppendBounded;
using marvella::CopyBounded;
using marvella::FormatBounded;

TEST(BoundedText, CopiesWhatFitsAndCutsTheRest) {
  char buf[8];
  std::memset(buf, 'x', sizeof buf);
  EXPECT_TRUE(CopyBounded(buf, "abc"));
  EXPECT_STREQ("abc", buf);

  char guard[12];
  std::memset(guard, '#', sizeof guard);
  EXPECT_FALSE(CopyBounded(guard, 8, "0123456789"));
  EXPECT_STREQ("0123456", guard);
  EXPECT_EQ('#', guard[8]);  // nothing written past the capacity

  EXPECT_TRUE(CopyBounded(buf, "1234567"));  // exactly capacity - 1 fits
  EXPECT_FALSE(CopyBounded(buf, 0, "a"));
  EXPECT_TRUE(CopyBounded(buf, 0, ""));
}

TEST(BoundedText, SourceWithoutTerminatorIsReadOnlyToItsLength) {
  const char bytes[3] = {'a', 'b', 'c'};  // no terminating zero
  char buf[16];
  EXPECT_TRUE(CopyBounded(buf, sizeof buf, bytes, sizeof bytes));
  EXPECT_STREQ("abc", buf);
}

TEST(BoundedText, CodePage1252BytesPassThrough) {
  char buf[16];
  EXPECT_TRUE(CopyBounded(buf, "Política"));
  EXPECT_EQ(8u, std::strlen(buf));           // one byte per character in CP1252
  EXPECT_EQ('\xED', buf[3]);                 // í
}

TEST(BoundedText, AppendStopsAtTheEnd) {
  char buf[6] = "ab";
  EXPECT_TRUE(AppendBounded(buf, "cd"));
  EXPECT_STREQ("abcd", buf);
  EXPECT_FALSE(AppendBounded(buf, "efg"));
  EXPECT_STREQ("abcde", buf);
  char unterminated[4] = {'a', 'b', 'c', 'd'};
  EXPECT_FALSE(AppendBounded(unterminated, "x"));
}

// On Windows this is the C runtime's formatter, which leaves a text that fills the buffer
// exactly without its terminator and reports a cut as -1.
TEST(BoundedText, FormattingStopsAtTheEndAndTerminates) {
  struct Case {
    std::size_t capacity;
    int value;
    const char* expected;
    bool whole;
  } cases[] = {
      {8, 42, "City42", true},    // room to spare
      {7, 42, "City42", true},    // capacity - 1 characters: just fits
      {6, 42, "City4", false},    // as many characters as bytes: the last one gives way
      {5, 123456, "City", false},
      {1, 7, "", false},
  };
  for (const Case& c : cases) {
    char guard[16];
    std::memset(guard, '#', sizeof guard);
    EXPECT_EQ(c.whole, FormatBounded(guard, c.capacity, "City%d", c.value)) << c.capacity;
    EXPECT_STREQ(c.expected, guard) << c.capacity;
    EXPECT_EQ('#', guard[c.capacity]) << c.capacity;  // nothing written past the capacity
  }
  char untouched[2] = {'#', '#'};
  EXPECT_FALSE(FormatBounded(untouched, 0, "%s", "a"));
  EXPECT_EQ('#', untouched[0]);
}
