// The service's log: one line per user-server conversation and per web request, with the
// time, written whole so lines from different threads never interleave.
#pragma once

#include <cstdio>
#include <mutex>
#include <string>

namespace devservice {

class ServiceLog {
 public:
  // Writes to `file` (not owned; nullptr discards everything).
  explicit ServiceLog(std::FILE* file) : file_(file) {}

  // printf-style; the time stamp and the line break are added.
  void Line(const char* format, ...) __attribute__((format(printf, 2, 3)));

 private:
  std::mutex mutex_;
  std::FILE* file_;
};

// Makes a peer-supplied text safe for one log line: bounded, control bytes as '?'.
std::string LogText(const std::string& text, std::size_t max = 200);

}  // namespace devservice
