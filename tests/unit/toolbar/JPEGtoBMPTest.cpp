// JPEGtoBMP on real files: the BMP layout byte for byte, grey and colour, densities,
// truncated and broken input, and what happens to the output file on each way out.
#include "toolbar/JPEGtoBMP.h"

#include "tests/unit/toolbar/TestJpeg.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

using marvella::testing::JpegShape;
using marvella::testing::MakeJpeg;
using marvella::testing::ReadBytes;
using marvella::testing::ScratchDirectory;
using marvella::testing::WriteBytes;

namespace {

std::uint32_t U32(const std::vector<unsigned char>& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
         (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
unsigned U16(const std::vector<unsigned char>& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8);
}

// The frame header of bytes announces width x height instead.
void Announce(std::vector<unsigned char>& b, unsigned width, unsigned height) {
  for (std::size_t i = 0; i + 8 < b.size(); ++i)
    if (b[i] == 0xFF && (b[i + 1] == 0xC0 || b[i + 1] == 0xC2)) {
      b[i + 5] = static_cast<unsigned char>(height >> 8);
      b[i + 6] = static_cast<unsigned char>(height & 255);
      b[i + 7] = static_cast<unsigned char>(width >> 8);
      b[i + 8] = static_cast<unsigned char>(width & 255);
      return;
    }
}

class JPEGtoBMPTest : public ::testing::Test {
 protected:
  // Test programs may run side by side: one directory per test.
  std::string dir = ScratchDirectory(
      std::string("jpegtobmp-") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
  std::string jpeg = dir + "in.jpg";
  std::string bmp = dir + "out.bmp";

  int Convert(const JpegShape& shape) {
    WriteBytes(jpeg, MakeJpeg(shape));
    return JPEGtoBMP(jpeg.c_str(), bmp.c_str());
  }
};

}  // namespace

TEST_F(JPEGtoBMPTest, ThreeByTwoColourImageIs78Bytes) {
  JpegShape shape;
  shape.width = 3;
  shape.height = 2;
  ASSERT_EQ(0, Convert(shape));
  std::vector<unsigned char> b = ReadBytes(bmp);
  ASSERT_EQ(78u, b.size());
  EXPECT_EQ('B', b[0]);
  EXPECT_EQ('M', b[1]);
  EXPECT_EQ(78u, U32(b, 2));
  EXPECT_EQ(0u, U32(b, 6));  // reserved
  EXPECT_EQ(54u, U32(b, 10));
  EXPECT_EQ(40u, U32(b, 14));
  EXPECT_EQ(3u, U32(b, 18));
  EXPECT_EQ(2u, U32(b, 22));  // positive: bottom-up rows
  EXPECT_EQ(1u, U16(b, 26));
  EXPECT_EQ(24u, U16(b, 28));
  EXPECT_EQ(0u, U32(b, 30));  // no compression
  EXPECT_EQ(0u, U32(b, 34));
  EXPECT_EQ(0u, U32(b, 46));  // colours used
  EXPECT_EQ(0u, U32(b, 50));
  for (std::size_t row = 0; row < 2; ++row)  // 9 pixel bytes and 3 pad bytes of zero
    for (std::size_t pad = 9; pad < 12; ++pad) EXPECT_EQ(0, b[54 + row * 12 + pad]);
}

TEST_F(JPEGtoBMPTest, FiveByOneGreyImageHasAGreyPalette) {
  JpegShape shape;
  shape.width = 5;
  shape.height = 1;
  shape.components = 1;
  ASSERT_EQ(0, Convert(shape));
  std::vector<unsigned char> b = ReadBytes(bmp);
  ASSERT_EQ(1086u, b.size());
  EXPECT_EQ(1086u, U32(b, 2));
  EXPECT_EQ(1078u, U32(b, 10));
  EXPECT_EQ(8u, U16(b, 28));
  EXPECT_EQ(256u, U32(b, 46));
  for (unsigned i = 0; i < 256; ++i) {
    EXPECT_EQ(i, b[54 + 4 * i]);
    EXPECT_EQ(i, b[54 + 4 * i + 1]);
    EXPECT_EQ(i, b[54 + 4 * i + 2]);
    EXPECT_EQ(0, b[54 + 4 * i + 3]);
  }
  EXPECT_EQ(0, b[1078 + 5]);  // row of 8 bytes: 5 pixels, 3 pad
  EXPECT_EQ(0, b[1078 + 7]);
}

TEST_F(JPEGtoBMPTest, RowsRunBottomUpInBlueGreenRedOrder) {
  JpegShape shape;
  shape.width = 16;
  shape.height = 16;
  shape.quality = 100;
  shape.redOverBlue = true;
  ASSERT_EQ(0, Convert(shape));
  std::vector<unsigned char> b = ReadBytes(bmp);
  ASSERT_EQ(54u + 48 * 16, b.size());
  const unsigned char* firstStored = &b[54 + 8 * 3];           // a pixel of the bottom image row
  EXPECT_GT(firstStored[0], 200);                              // blue
  EXPECT_LT(firstStored[2], 60);                               // red
  const unsigned char* lastStored = &b[54 + 15 * 48 + 8 * 3];  // the top image row
  EXPECT_LT(lastStored[0], 60);
  EXPECT_GT(lastStored[2], 200);
}

TEST_F(JPEGtoBMPTest, ResolutionOnlyFromDotsPerCentimetre) {
  JpegShape shape;
  shape.densityUnit = 2;
  shape.xDensity = 28;
  shape.yDensity = 30;
  ASSERT_EQ(0, Convert(shape));
  std::vector<unsigned char> b = ReadBytes(bmp);
  EXPECT_EQ(2800u, U32(b, 38));
  EXPECT_EQ(3000u, U32(b, 42));
  shape.densityUnit = 1;  // dots per inch
  shape.xDensity = shape.yDensity = 72;
  ASSERT_EQ(0, Convert(shape));
  b = ReadBytes(bmp);
  EXPECT_EQ(0u, U32(b, 38));
  EXPECT_EQ(0u, U32(b, 42));
  shape.densityUnit = 0;
  ASSERT_EQ(0, Convert(shape));
  EXPECT_EQ(0u, U32(ReadBytes(bmp), 38));
}

TEST_F(JPEGtoBMPTest, CommentAndApp12MarkersAreSkipped) {
  JpegShape shape;
  shape.markers = true;
  shape.width = 9;
  shape.height = 7;
  EXPECT_EQ(0, Convert(shape));
  EXPECT_EQ(54u + 28 * 7, ReadBytes(bmp).size());
}

TEST_F(JPEGtoBMPTest, ProgressiveFilesConvertToo) {
  JpegShape shape;
  shape.progressive = true;
  shape.width = 33;
  shape.height = 17;
  EXPECT_EQ(0, Convert(shape));
  EXPECT_EQ(54u + 100 * 17, ReadBytes(bmp).size());
}

TEST_F(JPEGtoBMPTest, TruncatedDataWarnsAndStillGivesAWholeBmp) {
  JpegShape shape;
  shape.width = 40;
  shape.height = 30;
  std::vector<unsigned char> whole = MakeJpeg(shape);
  WriteBytes(jpeg, std::vector<unsigned char>(whole.begin(), whole.begin() + whole.size() / 2));
  EXPECT_EQ(2, JPEGtoBMP(jpeg.c_str(), bmp.c_str()));
  EXPECT_EQ(54u + 120 * 30, ReadBytes(bmp).size());
}

TEST_F(JPEGtoBMPTest, WhatIsNotAJpegFails) {
  WriteBytes(jpeg, std::vector<unsigned char>{'h', 'e', 'l', 'l', 'o', '\n'});
  EXPECT_EQ(1, JPEGtoBMP(jpeg.c_str(), bmp.c_str()));
  WriteBytes(jpeg, {});
  EXPECT_EQ(1, JPEGtoBMP(jpeg.c_str(), bmp.c_str()));
  JpegShape cmyk;
  cmyk.components = 4;
  EXPECT_EQ(1, Convert(cmyk));
  // Tables only: a header without an image.
  std::vector<unsigned char> header = MakeJpeg(JpegShape());
  header.resize(20);
  header.push_back(0xFF);
  header.push_back(0xD9);
  WriteBytes(jpeg, header);
  EXPECT_EQ(1, JPEGtoBMP(jpeg.c_str(), bmp.c_str()));
}

TEST_F(JPEGtoBMPTest, MissingInputLeavesTheOutputAlone) {
  WriteBytes(bmp, {'k', 'e', 'e', 'p'});
  EXPECT_EQ(1, JPEGtoBMP((dir + "absent.jpg").c_str(), bmp.c_str()));
  EXPECT_EQ(4u, ReadBytes(bmp).size());
  WriteBytes(jpeg, MakeJpeg(JpegShape()));
  EXPECT_EQ(1, JPEGtoBMP(jpeg.c_str(), (dir + "no/such/dir/out.bmp").c_str()));
  EXPECT_EQ(1, JPEGtoBMP(nullptr, bmp.c_str()));
}

TEST_F(JPEGtoBMPTest, AHugeAnnouncedImageIsRefusedNotAllocated) {
  // A valid small file whose frame header claims 30000 x 30000 pixels.
  std::vector<unsigned char> b = MakeJpeg(JpegShape());
  Announce(b, 30000, 30000);
  WriteBytes(jpeg, b);
  EXPECT_EQ(1, JPEGtoBMP(jpeg.c_str(), bmp.c_str()));
}

// A hostile file may ask for any amount of work within the memory cap: thousands of scans,
// each a pass over the image, or a huge image whose data ends at once (each missing block
// is made up and written). Both are bounded; what a banner needs converts.
TEST_F(JPEGtoBMPTest, WorkIsBoundedInScansAndPixels) {
  const struct {
    int components, scans;
    unsigned width, height;  // announced instead of the 64 x 64 encoded; 0: as encoded
    int result;
  } cases[] = {
      {3, 0, 0, 0, 0},  // the library's own progression: ten scans
      {3, kJpegMaxScans, 0, 0, 0},
      {3, kJpegMaxScans + 1, 0, 0, 1},
      {3, 190, 0, 0, 1},
      {1, -1, 2048, 2048, 2},  // at the bound: made up from nothing, with warnings
      {1, -1, 2049, 2048, 1},
      {1, -1, 2048, 2049, 1},
      {3, 0, 2049, 2048, 1},  // progressive too
  };
  for (const auto& c : cases) {
    JpegShape shape;
    shape.width = shape.height = 64;
    shape.components = c.components;
    shape.progressive = c.scans >= 0;
    shape.scans = c.scans > 0 ? c.scans : 0;
    std::vector<unsigned char> b = MakeJpeg(shape);
    if (c.width) Announce(b, c.width, c.height);
    WriteBytes(jpeg, b);
    EXPECT_EQ(c.result, JPEGtoBMP(jpeg.c_str(), bmp.c_str()))
        << c.components << " components, " << c.scans << " scans, " << c.width << "x" << c.height;
  }
}
