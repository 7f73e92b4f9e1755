// GetPrivateProfileStringA and GetPrivateProfileSectionNamesA on one file.
#include "toolbar/win32/PrivateProfileFile.h"

#include <windows.h>

namespace marvella {

namespace {
DWORD Capacity(size_t capacity) {
  return capacity > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<DWORD>(capacity);
}
}  // namespace

size_t PrivateProfileFile::ReadString(const char* section, const char* key, const char* fallback,
                                      char* buffer, size_t capacity) {
  if (capacity == 0) return 0;
  buffer[0] = '\0';
  return GetPrivateProfileStringA(section, key, fallback, buffer, Capacity(capacity), path_);
}

size_t PrivateProfileFile::ReadSectionNames(char* buffer, size_t capacity) {
  if (capacity < 2) return 0;
  buffer[0] = buffer[1] = '\0';
  DWORD length = GetPrivateProfileSectionNamesA(buffer, Capacity(capacity), path_);
  // A full buffer means the last name may be cut: leave it out. The list always ends in two
  // zeros inside the buffer, whatever the system wrote.
  if (length >= capacity - 2) {
    length = static_cast<DWORD>(capacity - 2);
    while (length > 0 && buffer[length - 1] != '\0') --length;
  }
  buffer[length] = '\0';
  buffer[length + 1] = '\0';
  return length;
}

}  // namespace marvella
