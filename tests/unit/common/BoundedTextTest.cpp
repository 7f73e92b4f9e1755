// Bounded copies cut long texts at the buffer and never touch a byte past it.
#include "common/BoundedText.h"

#include <gtest/gtest.h>

#include <cstring>

using marvella::AppendBounded;
using marvella::CopyBounded;

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
