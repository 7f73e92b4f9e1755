// Path helpers and the message formatting bound.
#include "common/PathText.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "common/MessageSink.h"
#include "tests/unit/common/RecordingMessageSink.h"

namespace marvella {
namespace {

TEST(PathText, FileNameAndDirectoryTakeEitherSeparator) {
  EXPECT_EQ("install-juan.exe", FileNameOf("C:\\Descargas\\install-juan.exe"));
  EXPECT_EQ("install.exe", FileNameOf("/tmp/x\\install.exe"));
  EXPECT_EQ("b", FileNameOf("a/b"));
  EXPECT_EQ("install.exe", FileNameOf("install.exe"));
  EXPECT_EQ("", FileNameOf("C:\\dir\\"));
  EXPECT_EQ("C:\\Descargas\\", DirectoryOf("C:\\Descargas\\install.exe"));
  EXPECT_EQ("a\\b/", DirectoryOf("a\\b/c.ini"));
  EXPECT_EQ("install.exe", DirectoryOf("install.exe"));
  EXPECT_EQ("", DirectoryOf(""));
}

TEST(PathText, FileExistsOnlyForFilesThatOpen) {
  std::string dir = testing::TempDir();
  std::string path = dir + "file-exists-test.txt";
  std::remove(path.c_str());
  EXPECT_FALSE(FileExists(path.c_str()));
  std::FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(nullptr, f);
  std::fclose(f);
  EXPECT_TRUE(FileExists(path.c_str()));
  std::remove(path.c_str());
  EXPECT_FALSE(FileExists(dir.c_str()));
}

TEST(MessageSink, ShowStringFormatsAndCutsLongTexts) {
  test::RecordingMessageSink sink;
  ShowString(sink, 15, MessageStyle{}, "El campo %s puede contener un máximo de %d carácteres",
             "alias", 9);
  std::string huge(5000, 'a');
  ShowString(sink, 0, MessageStyle{}, "No puedo leer fichero %s", huge.c_str());
  ASSERT_EQ(2u, sink.shown.size());
  EXPECT_EQ(
      "El campo alias puede contener un m\xE1ximo de 9 car\xE1"
      "cteres",
      sink.shown[0].text);
  EXPECT_EQ(15u, sink.shown[0].stringId);
  EXPECT_EQ(kMessageCapacity - 1, sink.shown[1].text.size());
  EXPECT_EQ(0u, sink.shown[1].text.find("No puedo leer fichero aaa"));
}

}  // namespace
}  // namespace marvella
