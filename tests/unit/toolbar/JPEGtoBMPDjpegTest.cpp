// JPEGtoBMP against djpeg -bmp from the same libjpeg (Debian's libjpeg-turbo-progs): the
// files must be identical byte for byte, on odd sizes, grey and colour, baseline and
// progressive. Native only: djpeg is a Linux program here.
#include "toolbar/JPEGtoBMP.h"

#include "tests/unit/toolbar/TestJpeg.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/wait.h>
#include <string>
#include <vector>

using marvella::testing::JpegShape;
using marvella::testing::MakeJpeg;
using marvella::testing::ReadBytes;
using marvella::testing::ScratchDirectory;
using marvella::testing::WriteBytes;

TEST(JPEGtoBMPAgainstDjpeg, SameBytesForEveryShape) {
  ASSERT_EQ(0, std::system("djpeg -version >/dev/null 2>&1")) << "djpeg is missing";
  std::string dir = ScratchDirectory("djpeg");
  const int sizes[][2] = {{1, 1},   {3, 2},    {5, 1},     {17, 9},
                          {33, 65}, {100, 18}, {257, 131}, {641, 479}};
  int compared = 0;
  for (const auto& size : sizes)
    for (int components : {1, 3})
      for (bool progressive : {false, true}) {
        JpegShape shape;
        shape.width = size[0];
        shape.height = size[1];
        shape.components = components;
        shape.progressive = progressive;
        shape.quality = 75 + compared % 20;
        shape.densityUnit = compared % 3;
        shape.xDensity = 28 + compared;
        shape.yDensity = 72;
        shape.markers = compared % 2 == 1;
        shape.seed = static_cast<unsigned>(compared);
        std::string name = std::to_string(size[0]) + "x" + std::to_string(size[1]) + "-" +
                           std::to_string(components) + (progressive ? "p" : "b");
        std::string jpeg = dir + name + ".jpg";
        WriteBytes(jpeg, MakeJpeg(shape));
        std::string ours = dir + name + ".ours.bmp";
        std::string theirs = dir + name + ".djpeg.bmp";
        ASSERT_EQ(0, JPEGtoBMP(jpeg.c_str(), ours.c_str())) << name;
        ASSERT_EQ(0, std::system(("djpeg -bmp -outfile '" + theirs + "' '" + jpeg + "'").c_str()))
            << name;
        std::vector<unsigned char> a = ReadBytes(ours), b = ReadBytes(theirs);
        ASSERT_FALSE(b.empty()) << name;
        EXPECT_TRUE(a == b) << name << ": " << a.size() << " bytes against " << b.size();
        ++compared;
      }
  EXPECT_EQ(32, compared);
}

// Cut files: djpeg's exit status says the same as our result (0 clean, 2 warnings, 1 fatal),
// and whatever djpeg writes when it does not give up, we write too.
TEST(JPEGtoBMPAgainstDjpeg, CutFilesEndTheSameWay) {
  std::string dir = ScratchDirectory("djpeg-cut");
  int warned = 0;
  for (bool progressive : {false, true})
    for (int eighths = 1; eighths < 8; ++eighths) {
      JpegShape shape;
      shape.width = 120;
      shape.height = 90;
      shape.progressive = progressive;
      std::vector<unsigned char> whole = MakeJpeg(shape);
      std::string jpeg = dir + "cut.jpg", ours = dir + "ours.bmp", theirs = dir + "djpeg.bmp";
      WriteBytes(jpeg, std::vector<unsigned char>(whole.begin(),
                                                  whole.begin() + whole.size() * eighths / 8));
      int result = JPEGtoBMP(jpeg.c_str(), ours.c_str());
      int status =
          std::system(("djpeg -bmp -outfile '" + theirs + "' '" + jpeg + "' 2>/dev/null").c_str());
      ASSERT_NE(-1, status);
      EXPECT_EQ(WEXITSTATUS(status), result) << progressive << " " << eighths;
      if (result == 2) {
        EXPECT_TRUE(ReadBytes(ours) == ReadBytes(theirs)) << progressive << " " << eighths;
        ++warned;
      }
    }
  EXPECT_GT(warned, 0);
}
