// System libraries by full path.
#include "common/win32/SystemLibrary.h"

#include <cstring>

#include "common/win32/Owned.h"

namespace marvella {

HMODULE LoadSystemLibrary(const char* fileName) {
  char path[MAX_PATH];
  UINT n = GetSystemDirectoryA(path, MAX_PATH);
  std::size_t length = std::strlen(fileName);
  if (n == 0 || n + 1 + length + 1 > MAX_PATH) return nullptr;
  path[n] = '\\';
  std::memcpy(path + n + 1, fileName, length + 1);
  return LoadLibraryA(path);
}

HMODULE SharedSystemLibrary(std::atomic<HMODULE>& slot, const char* fileName) {
  HMODULE module = slot.load();
  if (module) return module;
  OwnedModule loaded(LoadSystemLibrary(fileName));
  if (!loaded) return nullptr;
  HMODULE expected = nullptr;
  // Two threads may load at once; the loser drops its extra reference.
  if (slot.compare_exchange_strong(expected, loaded.Get())) return loaded.Release();
  return expected;
}

}  // namespace marvella
