// JPEG files made with libjpeg's encoder for the conversion tests, and small file helpers.
#pragma once

#include <string>
#include <vector>

namespace marvella {
namespace testing {

struct JpegShape {
  int width = 8;
  int height = 8;
  int components = 3;  // 1 grey, 3 colour, 4 CMYK
  bool progressive = false;
  // With progressive: 0 for the library's own scans; else this many (up to 1 + 63 per
  // component): the DC scan, then one scan per AC coefficient and component.
  int scans = 0;
  int quality = 90;
  int densityUnit = 0;  // 0 none, 1 dots per inch, 2 dots per centimetre
  int xDensity = 1;
  int yDensity = 1;
  bool markers = false;      // a COM and an APP12 marker after the header
  unsigned seed = 1;         // picks the pixels: a smooth pattern with some noise
  bool redOverBlue = false;  // instead: a red top half over a blue bottom half
};

std::vector<unsigned char> MakeJpeg(const JpegShape& shape);
std::vector<unsigned char> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes);
// A fresh directory for one test's files (removed again by the caller if it likes).
std::string ScratchDirectory(const std::string& name);

}  // namespace testing
}  // namespace marvella
