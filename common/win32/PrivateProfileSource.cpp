// The private-profile functions behind ProfileSource, with the edges made to keep its
// contract on every system version.
#include "common/win32/PrivateProfileSource.h"

#include <windows.h>

#include <cstring>

#include "common/BoundedText.h"

namespace marvella {

PrivateProfileSource::PrivateProfileSource(const char* path) {
  // "?" is no file name at all: the system answers for it as for a missing file.
  if (!CopyBounded(path_, path)) CopyBounded(path_, "?");
}

size_t PrivateProfileSource::ReadString(const char* section, const char* key, const char* fallback,
                                        char* buffer, size_t capacity) {
  if (capacity == 0) return 0;
  // Some versions leave the buffer alone for an empty key name.
  buffer[0] = '\0';
  return GetPrivateProfileStringA(section, key, fallback, buffer, static_cast<DWORD>(capacity),
                                  path_);
}

size_t PrivateProfileSource::ReadSectionNames(char* buffer, size_t capacity) {
  if (capacity == 0) return 0;
  // A cut list may come back without its last zero: the buffer starts all zeros.
  std::memset(buffer, 0, capacity);
  return GetPrivateProfileSectionNamesA(buffer, static_cast<DWORD>(capacity), path_);
}

}  // namespace marvella
