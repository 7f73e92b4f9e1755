// JPEGtoBMP throughput against djpeg -bmp of the same library (Debian's libjpeg-turbo), on
// large images: megapixels per second, median of several runs each. djpeg runs as its own
// process; its start-up cost, measured on a 1 x 1 image, is printed beside it and taken off.
#include "tests/unit/toolbar/TestJpeg.h"
#include "toolbar/JPEGtoBMP.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using marvella::testing::JpegSpec;
using marvella::testing::MakeJpeg;
using marvella::testing::ScratchDirectory;
using marvella::testing::WriteBytes;

namespace {

double Seconds(const std::chrono::steady_clock::time_point& start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

template <typename Run>
double Median(int runs, Run run) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    auto start = std::chrono::steady_clock::now();
    if (!run()) {
      std::printf("run failed\n");
      std::exit(1);
    }
    times.push_back(Seconds(start));
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

bool Djpeg(const std::string& jpeg, const std::string& bmp) {
  return std::system(("djpeg -bmp -outfile '" + bmp + "' '" + jpeg + "'").c_str()) == 0;
}

}  // namespace

int main() {
  if (std::system("djpeg -version >/dev/null 2>&1") != 0) {
    std::printf("djpeg is missing (libjpeg-turbo-progs)\n");
    return 1;
  }
  std::string dir = ScratchDirectory("jpeg-bench");
  JpegSpec tiny;
  tiny.width = tiny.height = 1;
  WriteBytes(dir + "tiny.jpg", MakeJpeg(tiny));
  double startup = Median(21, [&] { return Djpeg(dir + "tiny.jpg", dir + "tiny.bmp"); });
  std::printf("djpeg process start-up (1 x 1 image): %.2f ms, taken off its times below\n",
              startup * 1000);

  struct Case {
    const char* name;
    int width, height, components;
    bool progressive;
  } cases[] = {
      {"colour 3000 x 2000 baseline", 3000, 2000, 3, false},
      {"colour 3000 x 2000 progressive", 3000, 2000, 3, true},
      {"grey 4000 x 3000 baseline", 4000, 3000, 1, false},
      {"colour 1601 x 1201 baseline", 1601, 1201, 3, false},
  };
  const int runs = 9;
  double worst = 1e9;
  std::printf("%-32s %12s %12s %8s\n", "image", "JPEGtoBMP", "djpeg -bmp", "ratio");
  for (const Case& c : cases) {
    JpegSpec spec;
    spec.width = c.width;
    spec.height = c.height;
    spec.components = c.components;
    spec.progressive = c.progressive;
    spec.quality = 85;
    std::string jpeg = dir + "in.jpg";
    WriteBytes(jpeg, MakeJpeg(spec));
    double megapixels = c.width * static_cast<double>(c.height) / 1e6;
    double ours =
        Median(runs, [&] { return JPEGtoBMP(jpeg.c_str(), (dir + "ours.bmp").c_str()) == 0; });
    double theirs = Median(runs, [&] { return Djpeg(jpeg, dir + "djpeg.bmp"); }) - startup;
    double ratio = (megapixels / ours) / (megapixels / theirs);
    worst = std::min(worst, ratio);
    std::printf("%-32s %8.1f MP/s %8.1f MP/s %8.3f\n", c.name, megapixels / ours,
                megapixels / theirs, ratio);
  }
  std::printf("JPEGtoBMP speed relative to djpeg, worst case: %.3f (goal: at least 0.95)\n", worst);
  return 0;
}
