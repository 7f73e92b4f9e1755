// JPEGtoBMP throughput against djpeg -bmp of the same library (Debian's libjpeg-turbo), on
// large images: megapixels per second of processor time (user and system), median of several
// runs each, the two taking turns. Processor time rather than wall time, because this
// machine is shared: waiting for a processor is nobody's speed. djpeg runs as its own
// process (its time read from the children's usage); its start-up cost, measured on a 1 x 1
// image, is printed and taken off its times.
#include "tests/unit/toolbar/TestJpeg.h"
#include "toolbar/JPEGtoBMP.h"

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using marvella::testing::JpegShape;
using marvella::testing::MakeJpeg;
using marvella::testing::ScratchDirectory;
using marvella::testing::WriteBytes;

namespace {

// Processor time used so far by this process, or by its finished children.
double CpuSeconds(int who) {
  rusage usage;
  getrusage(who, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double Time(bool (*run)(const std::string&, const std::string&), const std::string& in,
            const std::string& out, int who) {
  double start = CpuSeconds(who);
  if (!run(in, out)) {
    std::printf("run failed\n");
    std::exit(1);
  }
  return CpuSeconds(who) - start;
}

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

bool Ours(const std::string& jpeg, const std::string& bmp) {
  return JPEGtoBMP(jpeg.c_str(), bmp.c_str()) == 0;
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
  JpegShape tiny;
  tiny.width = tiny.height = 1;
  WriteBytes(dir + "tiny.jpg", MakeJpeg(tiny));
  std::vector<double> starts;
  for (int i = 0; i < 21; ++i)
    starts.push_back(Time(Djpeg, dir + "tiny.jpg", dir + "tiny.bmp", RUSAGE_CHILDREN));
  double startup = Median(starts);
  std::printf("djpeg process start-up (1 x 1 image): %.2f ms of processor time, taken off below\n",
              startup * 1000);

  struct Case {
    const char* name;
    int width, height, components;
    bool progressive;
  } cases[] = {
      {"colour 3000 x 2000 baseline", 3000, 2000, 3, false},
      {"colour 3000 x 2000 progressive", 3000, 2000, 3, true},
      {"grey 4000 x 3000 baseline", 4000, 3000, 1, false},
      {"colour 4001 x 3001 baseline", 4001, 3001, 3, false},
  };
  const int runs = 15;
  double worst = 1e9;
  std::printf("%-32s %12s %12s %8s\n", "image", "JPEGtoBMP", "djpeg -bmp", "ratio");
  for (const Case& c : cases) {
    JpegShape shape;
    shape.width = c.width;
    shape.height = c.height;
    shape.components = c.components;
    shape.progressive = c.progressive;
    shape.quality = 85;
    std::string jpeg = dir + "in.jpg";
    WriteBytes(jpeg, MakeJpeg(shape));
    double megapixels = c.width * static_cast<double>(c.height) / 1e6;
    std::vector<double> oursTimes, theirTimes;
    for (int i = 0; i < runs; ++i) {
      oursTimes.push_back(Time(Ours, jpeg, dir + "ours.bmp", RUSAGE_SELF));
      theirTimes.push_back(Time(Djpeg, jpeg, dir + "djpeg.bmp", RUSAGE_CHILDREN));
    }
    double ours = Median(oursTimes);
    double theirs = Median(theirTimes) - startup;
    double ratio = (megapixels / ours) / (megapixels / theirs);
    worst = std::min(worst, ratio);
    std::printf("%-32s %8.1f MP/s %8.1f MP/s %8.3f\n", c.name, megapixels / ours,
                megapixels / theirs, ratio);
  }
  std::printf("JPEGtoBMP speed relative to djpeg, worst case: %.3f (goal: at least 0.95)\n", worst);
  return 0;
}
