// What install.exe carries: the string table entries with the very bytes the code shows,
// and the two retry dialog templates.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "signup/SignupTexts.h"
#include "signup/win32/RetryDialogIds.h"

namespace {

std::string BinDir() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string p = path;
  return p.substr(0, p.find_last_of("\\/") + 1);
}

class InstallerResources : public testing::Test {
 protected:
  void SetUp() override {
    module = LoadLibraryExA((BinDir() + "install.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, module);
  }
  void TearDown() override {
    if (module) FreeLibrary(module);
  }
  std::string String(unsigned id) {
    char text[1024] = {};
    LoadStringA(module, id, text, sizeof text);
    return text;
  }
  HMODULE module = nullptr;
};

TEST_F(InstallerResources, StringTableHoldsTheCheckMessagesInCodePage1252) {
  EXPECT_EQ(IDS_BAD_CHARACTERS_TEXT, String(7));
  EXPECT_EQ(IDS_FIELD_TOO_LONG_TEXT, String(15));
  EXPECT_EQ(IDS_IDENTIFIER_RULE_TEXT, String(24));
  EXPECT_EQ(
      "El campo %s puede contener un m\xE1ximo de %d car\xE1"
      "cteres",
      String(15));
}

TEST_F(InstallerResources, CarriesBothRetryDialogs) {
  EXPECT_NE(nullptr,
            FindResourceA(module, MAKEINTRESOURCEA(IDD_NEW_IDENTIFIER), MAKEINTRESOURCEA(5)));
  EXPECT_NE(nullptr, FindResourceA(module, MAKEINTRESOURCEA(IDD_NEW_ALIAS), MAKEINTRESOURCEA(5)));
  EXPECT_EQ(134, IDD_NEW_IDENTIFIER);
  EXPECT_EQ(145, IDD_NEW_ALIAS);
}

}  // namespace
