// FileExists on Windows: open for reading with read sharing, existing files only.
#include <windows.h>

#include "common/PathText.h"
#include "common/win32/Owned.h"

namespace marvella {

bool FileExists(const char* path) {
  OwnedFile file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
  return static_cast<bool>(file);
}

}  // namespace marvella
