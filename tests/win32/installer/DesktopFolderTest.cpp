// The desktop folder as the shell-folders key gives it: a profile may hold it as an
// expandable value ("%USERPROFILE%\Escritorio"), which is no folder until expanded.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "installer/win32/SystemFinalActions.h"

namespace marvella {
namespace {

TEST(DesktopFolder, ExpandableValuesAreExpandedWithinAPath) {
  SetEnvironmentVariableA("MARVELLA_TEST_PROFILE", "C:\\Perfiles\\Ana");
  SetEnvironmentVariableA("MARVELLA_TEST_LONG", std::string(250, 'x').c_str());
  EXPECT_EQ("C:\\Perfiles\\Ana\\Escritorio",
            FolderOfValue(REG_EXPAND_SZ, "%MARVELLA_TEST_PROFILE%\\Escritorio"));
  EXPECT_EQ("%MARVELLA_TEST_PROFILE%\\Escritorio",
            FolderOfValue(REG_SZ, "%MARVELLA_TEST_PROFILE%\\Escritorio"))
      << "a plain value is taken as it is";
  EXPECT_EQ("", FolderOfValue(REG_EXPAND_SZ, "C:\\%MARVELLA_TEST_LONG%\\Escritorio"))
      << "longer than a path once expanded";
  EXPECT_EQ("", FolderOfValue(REG_BINARY, "C:\\Escritorio"));
}

}  // namespace
}  // namespace marvella
