// ProfileSource over the system's private-profile functions for one INI file.
#pragma once

#include <windows.h>

#include <string>

#include "common/ProfileSource.h"

namespace marvella {

class PrivateProfileSource final : public ProfileSource {
 public:
  // The path is kept in a buffer of its own: tandem.dll reads its bookmarks file through
  // this class and must not carry std::string's code (and its exception support) for it.
  // A path longer than the system's file names can be is never opened: every lookup then
  // answers as for a missing file.
  explicit PrivateProfileSource(const char* path);
  explicit PrivateProfileSource(const std::string& path) : PrivateProfileSource(path.c_str()) {}

  size_t ReadString(const char* section, const char* key, const char* fallback, char* buffer,
                    size_t capacity) override;
  size_t ReadSectionNames(char* buffer, size_t capacity) override;

 private:
  char path_[MAX_PATH];
};

}  // namespace marvella
