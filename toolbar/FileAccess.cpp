// Paths in the temporary directory.
#include "toolbar/FileAccess.h"

#include "common/BoundedText.h"

namespace marvella {

bool TempFilePath(FileAccess& files, const char* name, char* path, std::size_t capacity) {
  if (capacity == 0) return false;
  if (!files.TempDirectory(path, capacity) || !AppendBounded(path, capacity, name)) {
    path[0] = '\0';
    return false;
  }
  return true;
}

}  // namespace marvella
