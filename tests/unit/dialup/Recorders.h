// Test doubles of the page's progress box and waits: they keep what they are given.
#pragma once

#include <string>
#include <vector>

#include "common/ProgressSink.h"
#include "common/Sleeper.h"

namespace marvella::test {

class RecordingSleeper : public Sleeper {
 public:
  void Sleep(unsigned ms) override { waits.push_back(ms); }
  std::vector<unsigned> waits;
};

class RecordingProgress : public ProgressSink {
 public:
  void AppendProgressLine(const char* line) override { lines.push_back(line); }
  std::vector<std::string> lines;
};

}  // namespace marvella::test
