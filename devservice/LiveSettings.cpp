// Live portal values of the reference service.
#include "devservice/LiveSettings.h"

#include <cstdlib>

namespace devservice {

LiveValues LiveSettings::Get() {
  std::lock_guard<std::mutex> lock(mutex_);
  return values_;
}

void LiveSettings::Put(const LiveValues& values) {
  std::lock_guard<std::mutex> lock(mutex_);
  values_ = values;
}

bool LiveSettings::Set(std::string_view key, std::string_view value, std::string* error) {
  if (value.size() > 4096 || value.find_first_of("\r\n\"") != std::string_view::npos) {
    *error =
        "value of " + std::string(key) + " must be one line of at most 4096 bytes without '\"'";
    return false;
  }
  std::lock_guard<std::mutex> lock(mutex_);
  if (key == "mail") {
    values_.mail = value;
  } else if (key == "tokens") {
    values_.tokens = value;
  } else if (key == "pagpers") {
    values_.pagpers = value;
  } else if (key == "lastversion") {
    values_.lastVersion = value;
  } else if (key == "banner") {
    std::string text(value);
    char* end = nullptr;
    long n = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || n < 0 || n > 1000) {
      *error = "banner must be 0 (rotate) or a banner number";
      return false;
    }
    values_.banner = static_cast<int>(n);
  } else {
    *error = "unknown setting '" + std::string(key) + "'";
    return false;
  }
  return true;
}

}  // namespace devservice
