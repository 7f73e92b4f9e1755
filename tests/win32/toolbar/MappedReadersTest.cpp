// Page files read through read-only file mappings: a field at the very end of a page-sized
// file (nothing mapped after it), files that cannot be mapped, and writers kept out while a
// page is read.
#include "tests/win32/toolbar/ToolbarWin32Support.h"
#include "toolbar/MailChecker.h"
#include "toolbar/PageFetchers.h"

#include <gtest/gtest.h>

#include <string>

using namespace marvella;
using namespace marvella::testing;

TEST(MappedReaders, AFieldEndingAtTheLastByteOfTheMappingIsRead) {
  std::string dir = FreshDirectory("mapped");
  Win32FileAccess files;
  std::string field = "<INPUT TYPE=HIDDEN NAME=\"TOKENS\" VALUE=\"42\">";
  std::string page = std::string(4096 - field.size(), ' ') + field;  // exactly one page
  WriteFileBytes(dir + "p.htm", page);
  EXPECT_EQ(42, ReadHiddenNumberFile(files, (dir + "p.htm").c_str(), "TOKENS"));
  // The same page cut one byte short has no tag end; the search must stop at the end of
  // the mapping, not run into the unmapped page after it.
  WriteFileBytes(dir + "cut.htm", page.substr(0, 4095));
  EXPECT_EQ(-1, ReadHiddenNumberFile(files, (dir + "cut.htm").c_str(), "TOKENS"));
  char text[kHiddenTextCapacity];
  WriteFileBytes(dir + "pers.htm",
                 std::string(4096 - 45, 'x') + "<INPUT TYPE=HIDDEN NAME=\"PAGPERS\" VALUE=\"a");
  EXPECT_FALSE(ReadHiddenTextFile(files, (dir + "pers.htm").c_str(), "PAGPERS", text));
}

TEST(MappedReaders, MissingEmptyAndZeroCutPagesGiveNothing) {
  std::string dir = FreshDirectory("mapped-none");
  Win32FileAccess files;
  EXPECT_EQ(-1, ReadHiddenNumberFile(files, (dir + "absent.htm").c_str(), "TOKENS"));
  WriteFileBytes(dir + "empty.htm", "");
  EXPECT_EQ(-1, ReadHiddenNumberFile(files, (dir + "empty.htm").c_str(), "TOKENS"));
  WriteFileBytes(dir + "zero.htm",
                 std::string("<p>\0", 4) + "<INPUT TYPE=HIDDEN NAME=\"WEBMAIL\" VALUE=\"3\">");
  FileView view;
  ASSERT_TRUE(files.Map((dir + "zero.htm").c_str(), &view));
  EXPECT_EQ(-1, ParseMailCount(view.bytes, view.size));
  files.Unmap(&view);
}

TEST(MappedReaders, ReadersShareAPageThatWritersCannotReplaceMeanwhile) {
  std::string dir = FreshDirectory("mapped-share");
  std::string path = dir + "cfg.htm";
  WriteFileBytes(path, "<INPUT TYPE=HIDDEN NAME=\"TOKENS\" VALUE=\"1\">");
  Win32FileAccess files;
  FileView first, second;
  ASSERT_TRUE(files.Map(path.c_str(), &first));
  ASSERT_TRUE(files.Map(path.c_str(), &second));  // the polling thread and the window's
  HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(INVALID_HANDLE_VALUE, writer);
  if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
  files.Unmap(&second);
  files.Unmap(&first);
  EXPECT_EQ(nullptr, first.bytes);
  files.Delete(path.c_str());
  EXPECT_FALSE(files.Exists(path.c_str()));
}
