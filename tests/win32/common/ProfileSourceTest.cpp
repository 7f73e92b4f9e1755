// The system's private-profile reader (through PrivateProfileSource) and the portable reader
// give the same answers for the same file.
#include "common/win32/PrivateProfileSource.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "common/ProfileReader.h"
#include "tests/unit/common/ProfileVectors.h"

namespace marvella {
namespace {

std::string WriteTempFile(const char* text, size_t length) {
  char dir[MAX_PATH], path[MAX_PATH];
  GetTempPathA(sizeof dir, dir);
  GetTempFileNameA(dir, "ini", 0, path);
  std::FILE* f = std::fopen(path, "wb");
  std::fwrite(text, 1, length, f);
  std::fclose(f);
  return path;
}

TEST(PrivateProfileSource, SystemAndPortableReadersAgreeOnEveryLookup) {
  std::string path = WriteTempFile(test::kProfileText, sizeof test::kProfileText - 1);
  PrivateProfileSource system(path);
  ProfileReader portable = ProfileReader::FromFile(path.c_str());
  for (const test::ProfileLookup& l : test::kProfileLookups) {
    char fromSystem[128], fromPortable[128];
    std::memset(fromSystem, '#', sizeof fromSystem);
    std::memset(fromPortable, '#', sizeof fromPortable);
    size_t n = system.ReadString(l.section, l.key, l.fallback, fromSystem, l.capacity);
    size_t m = portable.ReadString(l.section, l.key, l.fallback, fromPortable, l.capacity);
    EXPECT_STREQ(l.expected, fromSystem)
        << "[" << l.section << "] " << l.key << " cap " << l.capacity;
    EXPECT_EQ(std::strlen(l.expected), n) << "[" << l.section << "] " << l.key;
    EXPECT_STREQ(fromSystem, fromPortable) << "[" << l.section << "] " << l.key;
    EXPECT_EQ(n, m);
  }
  DeleteFileA(path.c_str());
}

TEST(PrivateProfileSource, SectionNameListsAgreeAtEveryCapacity) {
  std::string path = WriteTempFile(test::kSectionText, sizeof test::kSectionText - 1);
  PrivateProfileSource system(path);
  ProfileReader portable = ProfileReader::FromFile(path.c_str());
  for (const test::SectionNamesCase& c : test::kSectionNameCases) {
    char fromSystem[64], fromPortable[64];
    std::memset(fromSystem, '#', sizeof fromSystem);
    std::memset(fromPortable, '#', sizeof fromPortable);
    EXPECT_EQ(c.count, system.ReadSectionNames(fromSystem, c.capacity)) << "cap " << c.capacity;
    EXPECT_EQ(c.count, portable.ReadSectionNames(fromPortable, c.capacity)) << "cap " << c.capacity;
    EXPECT_EQ(c.expected, std::string(fromSystem, c.expected.size())) << "cap " << c.capacity;
    EXPECT_EQ(c.expected, std::string(fromPortable, c.expected.size())) << "cap " << c.capacity;
  }
  DeleteFileA(path.c_str());
}

TEST(PrivateProfileSource, AMissingFileGivesTheFallbacks) {
  PrivateProfileSource system("C:\\no-such-dir\\install.ini");
  char buffer[255];
  EXPECT_EQ(4u, system.ReadString("UserServer", "Server_Port", "6667", buffer, sizeof buffer));
  EXPECT_STREQ("6667", buffer);
  char names[8];
  EXPECT_EQ(0u, system.ReadSectionNames(names, sizeof names));
  EXPECT_EQ('\0', names[0]);
}

// A path too long for the system's file names is not cut into another file's name.
TEST(PrivateProfileSource, AnOverlongPathReadsAsAMissingFile) {
  std::string path = "C:\\" + std::string(300, 'd') + "\\install.ini";
  PrivateProfileSource system(path);
  char buffer[255];
  EXPECT_EQ(4u, system.ReadString("UserServer", "Server_Port", "6667  ", buffer, sizeof buffer));
  EXPECT_STREQ("6667", buffer);
  char names[8];
  EXPECT_EQ(0u, system.ReadSectionNames(names, sizeof names));
}

}  // namespace
}  // namespace marvella
