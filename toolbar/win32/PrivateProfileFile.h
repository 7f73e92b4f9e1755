// A profile source over one INI file, read with the system's private-profile functions.
#pragma once

#include "common/ProfileSource.h"

namespace marvella {

class PrivateProfileFile : public ProfileSource {
 public:
  explicit PrivateProfileFile(const char* path) : path_(path) {}
  size_t ReadString(const char* section, const char* key, const char* fallback, char* buffer,
                    size_t capacity) override;
  size_t ReadSectionNames(char* buffer, size_t capacity) override;

 private:
  const char* path_;
};

}  // namespace marvella
