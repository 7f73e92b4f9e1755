// JPEGtoBMP as other programs reach it: by name from tandem.dll, C calling convention.
#include "tests/unit/toolbar/TestJpeg.h"
#include "tests/win32/toolbar/ToolbarWin32Support.h"
#include "toolbar/JPEGtoBMP.h"

#include <gtest/gtest.h>

#include <string>

using namespace marvella::testing;

TEST(ToolbarExports, JPEGtoBMPConvertsThroughTheLibrary) {
  HMODULE tandem = LoadLibraryA((BinDir() + "tandem.dll").c_str());
  ASSERT_NE(nullptr, tandem);
  using Convert = int (*)(const char*, const char*);
  Convert convert =
      reinterpret_cast<Convert>(reinterpret_cast<void*>(GetProcAddress(tandem, "JPEGtoBMP")));
  ASSERT_NE(nullptr, convert);
  std::string dir = FreshDirectory("export");
  JpegShape shape;
  shape.width = 100;
  shape.height = 18;
  WriteBytes(dir + "tnbbannr.jpg", MakeJpeg(shape));
  EXPECT_EQ(0, convert((dir + "tnbbannr.jpg").c_str(), (dir + "tnbbannr.bmp").c_str()));
  // The same bytes as the library linked into this test.
  EXPECT_EQ(0, JPEGtoBMP((dir + "tnbbannr.jpg").c_str(), (dir + "linked.bmp").c_str()));
  std::string bmp = ReadFileBytes(dir + "tnbbannr.bmp");
  EXPECT_EQ(54u + 300 * 18, bmp.size());
  EXPECT_EQ(ReadFileBytes(dir + "linked.bmp"), bmp);
  EXPECT_EQ(1, convert((dir + "absent.jpg").c_str(), (dir + "x.bmp").c_str()));
  // The converted banner loads as the banner control loads it.
  HANDLE bitmap =
      LoadImageA(nullptr, (dir + "tnbbannr.bmp").c_str(), IMAGE_BITMAP, 100, 18, LR_LOADFROMFILE);
  EXPECT_NE(nullptr, bitmap);
  if (bitmap) DeleteObject(bitmap);
  FreeLibrary(tandem);
}
