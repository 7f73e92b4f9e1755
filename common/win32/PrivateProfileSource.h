// ProfileSource over the system's private-profile functions for one INI file.
#pragma once

#include <string>

#include "common/ProfileSource.h"

namespace marvella {

class PrivateProfileSource final : public ProfileSource {
 public:
  explicit PrivateProfileSource(std::string path) : path_(std::move(path)) {}

  size_t ReadString(const char* section, const char* key, const char* fallback, char* buffer,
                    size_t capacity) override;
  size_t ReadSectionNames(char* buffer, size_t capacity) override;

 private:
  std::string path_;
};

}  // namespace marvella
