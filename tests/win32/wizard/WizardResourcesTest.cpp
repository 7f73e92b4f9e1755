// What the wizard's resources hold, read as bytes: page titles in the dialog templates
// (UTF-16 made from code page 1252), the two texts (code page 1252, CR LF), the pictures.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "installer/WizardFrame.h"
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

// The caption of a DLGTEMPLATE: after style, extended style, item count and the
// rectangle come the menu and the class (each none, an ordinal or a string), then the title.
std::wstring TemplateCaption(const std::string& t) {
  const WORD* p = reinterpret_cast<const WORD*>(t.data() + 18);
  for (int field = 0; field < 2; ++field) {
    if (*p == 0xFFFF)
      p += 2;
    else
      p += std::wstring(reinterpret_cast<const wchar_t*>(p)).size() + 1;
  }
  return std::wstring(reinterpret_cast<const wchar_t*>(p));
}

std::wstring FromCp1252(const char* text) {
  wchar_t wide[256] = {};
  MultiByteToWideChar(1252, 0, text, -1, wide, 256);
  return wide;
}

TEST(WizardResources, PageTemplatesCarryTheWizardTitlesInCodePage1252) {
  struct Page {
    int id;
    const char* title;
  } pages[] = {
      {IDD_WELCOME, "Instalador de Marvella - Bienvenido"},
      {IDD_LICENSE, "Instalador de Marvella - Contrato"},
      {IDD_HARDWARE, "Instalador de Marvella - Información sobre el hardware"},
      {IDD_USERTYPE, "Instalador de Marvella - Tipo de usuario"},
      {IDD_USERINFO, "Instalador de Marvella - Datos necesarios"},
      {IDD_USERINFO2, "Instalador de Marvella - Datos de interés"},
      {IDD_USERINFO3, "Instalador de Marvella - Datos opcionales"},
      {IDD_RESULTS, "Instalador de Marvella - Alta en servicio Marvella de acceso gratuito"},
      {IDD_FINAL, "Instalador de Marvella - Conexión configurada"},
      {IDD_PRIVACY, "Política de Privacidad"},
  };
  for (const Page& page : pages) {
    std::string t = RawResource(page.id, MAKEINTRESOURCEA(5) /* RT_DIALOG */);
    ASSERT_GT(t.size(), 18u) << page.id;
    EXPECT_EQ(FromCp1252(page.title), TemplateCaption(t)) << page.id;
  }
  // The narrow literal above is code page 1252 too: "ó" is one byte, 0xF3.
  EXPECT_EQ('\xF3', std::string("ó")[0]);
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
