// The portable profile reader against the system's answers (ProfileVectors.h), and what
// only the portable reader has to get right: files, limits, case of accented letters.
#include "common/ProfileReader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "tests/unit/common/ProfileVectors.h"

namespace marvella {
namespace {

using test::kProfileLookups;

TEST(ProfileReader, AnswersLikeTheSystemReader) {
  ProfileReader reader(test::kProfileText);
  for (const test::ProfileLookup& l : kProfileLookups) {
    char buffer[128];
    std::memset(buffer, '#', sizeof buffer);
    size_t n = reader.ReadString(l.section, l.key, l.fallback, buffer, l.capacity);
    EXPECT_STREQ(l.expected, buffer) << "[" << l.section << "] " << l.key << " cap " << l.capacity;
    EXPECT_EQ(std::strlen(l.expected), n) << "[" << l.section << "] " << l.key;
    EXPECT_EQ('#', buffer[l.capacity]) << "wrote past the capacity";
  }
}

TEST(ProfileReader, ListsSectionNamesAndCutsTheListLikeTheSystem) {
  ProfileReader reader(test::kSectionText);
  for (const test::SectionNamesCase& c : test::kSectionNameCases) {
    char buffer[64];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(c.count, reader.ReadSectionNames(buffer, c.capacity)) << "cap " << c.capacity;
    EXPECT_EQ(c.expected, std::string(buffer, c.expected.size())) << "cap " << c.capacity;
    EXPECT_EQ('#', buffer[c.capacity]) << "wrote past the capacity";
  }
  char untouched = '#';
  EXPECT_EQ(0u, reader.ReadSectionNames(&untouched, 0));
  EXPECT_EQ('#', untouched);
}

TEST(ProfileReader, FoldsTheCaseOfAccentedLettersAsWindowsDoes) {
  // Windows compares names without regard to case in the whole code page; Wine only folds
  // ASCII, so this one is not among the shared answers.
  ProfileReader reader("[Señal]\r\nÑandú=sí\r\n");
  char buffer[16];
  reader.ReadString("SEÑAL", "ñANDÚ", "", buffer, sizeof buffer);
  EXPECT_STREQ("sí", buffer);
}

TEST(ProfileReader, ReadsFilesAndTreatsAMissingOneAsEmpty) {
  std::string path = testing::TempDir() + "profile-reader-test.ini";
  std::FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(nullptr, f);
  std::fputs("[UserServer]\r\nProfileName=Marvella Alta\r\n", f);
  std::fclose(f);
  bool readable = false;
  ProfileReader reader = ProfileReader::FromFile(path.c_str(), &readable);
  EXPECT_TRUE(readable);
  char buffer[255];
  reader.ReadString("UserServer", "ProfileName", "", buffer, sizeof buffer);
  EXPECT_STREQ("Marvella Alta", buffer);
  std::remove(path.c_str());

  ProfileReader missing = ProfileReader::FromFile(path.c_str(), &readable);
  EXPECT_FALSE(readable);
  missing.ReadString("UserServer", "ProfileName", "none", buffer, sizeof buffer);
  EXPECT_STREQ("none", buffer);
}

TEST(ProfileReader, HostileTextsStayInsideTheirBounds) {
  // Zero bytes end names and values; a huge value is cut to the buffer; only "[" or "]".
  std::string text("[A\0B]\r\nK=v\0w\r\n[C]\r\nLong=", 24);
  text += std::string(100000, 'x');
  text += "\r\n[\r\n]\r\n[[]]\r\n";
  ProfileReader reader(text);
  char buffer[255];
  EXPECT_EQ(254u, reader.ReadString("C", "Long", "", buffer, sizeof buffer));
  EXPECT_EQ(std::string(254, 'x'), buffer);
  reader.ReadString("A", "K", "d", buffer, sizeof buffer);
  EXPECT_STREQ("v", buffer);
  reader.ReadString("[", "K", "d", buffer, sizeof buffer);
  EXPECT_STREQ("d", buffer);
  char names[64];
  size_t n = reader.ReadSectionNames(names, sizeof names);
  EXPECT_EQ(std::string("A\0C\0[]\0\0", 8), std::string(names, n + 1));
}

}  // namespace
}  // namespace marvella
