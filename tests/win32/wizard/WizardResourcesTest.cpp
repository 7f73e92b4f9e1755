// What the wizard's resources hold, read as bytes: the two texts (code page 1252, CR LF
// throughout) and the pictures. (The page captions are read off the sheet in its walk,
// WizardSheetTest.)
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "installer/win32/WizardResource.h"

namespace marvella::test {
namespace {

std::string RawResource(int id, const char* type) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), type);
  if (!found) return std::string();
  const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
  return std::string(bytes, SizeofResource(module, found));
}

TEST(WizardResources, TextsAreCodePage1252WithCrLfLineEnds) {
  for (int id : {OURDATA_CONTRACT, OURDATA_PRIVACY}) {
    std::string text = RawResource(id, "OURDATA");
    ASSERT_FALSE(text.empty()) << id;
    for (size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\n') {
        ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "bare LF at " << i;
      }
      // UTF-8 would show as a lead byte 0xC3 before accented letters.
      ASSERT_NE('\xC3', text[i]) << "UTF-8 bytes at " << i;
    }
  }
  EXPECT_NE(std::string::npos,
            RawResource(OURDATA_CONTRACT, "OURDATA").find("PROTECCIÓN DE DATOS"));
  EXPECT_NE(std::string::npos, RawResource(OURDATA_PRIVACY, "OURDATA").find("Cómo"));
}

TEST(WizardResources, IconsAndBannerLoad) {
  HMODULE module = GetModuleHandleA(nullptr);
  for (int id : {IDI_INSTALLER, IDI_SHORTCUT}) {
    for (int size : {16, 32}) {
      HANDLE icon = LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0);
      EXPECT_NE(nullptr, icon) << id << " at " << size;
      if (icon) DestroyIcon(static_cast<HICON>(icon));
    }
  }
  HBITMAP banner = LoadBitmapA(module, MAKEINTRESOURCEA(IDB_WELCOME_BANNER));
  ASSERT_NE(nullptr, banner);
  BITMAP info = {};
  GetObjectA(banner, sizeof info, &info);
  EXPECT_EQ(120, info.bmWidth);
  EXPECT_EQ(290, info.bmHeight);
  DeleteObject(banner);
}

}  // namespace
}  // namespace marvella::test
