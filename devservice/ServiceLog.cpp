// One-line logging of the reference service.
#include "devservice/ServiceLog.h"

#include <cstdarg>
#include <ctime>
#include <sys/time.h>

namespace devservice {

void ServiceLog::Line(const char* format, ...) {
  if (!file_) return;
  char line[2048];
  timeval now;
  gettimeofday(&now, nullptr);
  tm local;
  localtime_r(&now.tv_sec, &local);
  std::size_t used = std::strftime(line, sizeof line, "%Y-%m-%d %H:%M:%S", &local);
  used += static_cast<std::size_t>(std::snprintf(line + used, sizeof line - used, ".%03ld ",
                                                 static_cast<long>(now.tv_usec / 1000)));
  va_list args;
  va_start(args, format);
  int n = std::vsnprintf(line + used, sizeof line - used - 1, format, args);
  va_end(args);
  if (n < 0) n = 0;
  used += static_cast<std::size_t>(n) < sizeof line - used - 1 ? static_cast<std::size_t>(n)
                                                               : sizeof line - used - 2;
  line[used++] = '\n';
  std::lock_guard<std::mutex> lock(mutex_);
  std::fwrite(line, 1, used, file_);
  std::fflush(file_);
}

std::string LogText(const std::string& text, std::size_t max) {
  std::string safe = text.substr(0, max);
  for (char& c : safe) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7f) c = '?';
  }
  if (text.size() > max) safe += "...";
  return safe;
}

}  // namespace devservice
