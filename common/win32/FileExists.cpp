// FileExists on Windows: open for reading with read sharing, existing files only.
#include <windows.h>

#include "common/PathText.h"

namespace marvella {

bool FileExists(const char* path) {
  HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  return true;
}

}  // namespace marvella
