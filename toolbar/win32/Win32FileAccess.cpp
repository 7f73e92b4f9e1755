// Temporary directory, file checks and read-only mappings.
#include "toolbar/win32/Win32FileAccess.h"

#include "common/win32/Owned.h"

#include <windows.h>

namespace marvella {

bool Win32FileAccess::TempDirectory(char* buffer, std::size_t capacity) {
  if (capacity == 0) return false;
  buffer[0] = '\0';
  DWORD length = GetTempPathA(static_cast<DWORD>(capacity), buffer);
  if (length == 0 || length >= capacity) {
    buffer[0] = '\0';
    return false;
  }
  return true;
}

bool Win32FileAccess::Exists(const char* path) {
  return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

void Win32FileAccess::Delete(const char* path) { DeleteFileA(path); }

bool Win32FileAccess::Map(const char* path, FileView* view) {
  *view = FileView();
  OwnedFile file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD high = 0;
  DWORD size = GetFileSize(file.Get(), &high);
  if ((size == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) || high != 0 || size == 0)
    return false;
  // The view keeps the mapping: the mapping's handle goes on the way out.
  OwnedHandle mapping(CreateFileMappingA(file.Get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
  if (!mapping) return false;
  OwnedView bytes(MapViewOfFile(mapping.Get(), FILE_MAP_READ, 0, 0, 0));
  if (!bytes) return false;
  // The view and the file are the caller's now, until Unmap.
  view->bytes = static_cast<const char*>(bytes.Release());
  view->size = size;
  view->token = file.Release();
  return true;
}

void Win32FileAccess::Unmap(FileView* view) {
  OwnedHandle file(view->token);
  OwnedView bytes(view->bytes);  // unmapped first, then the file closed
  *view = FileView();
}

}  // namespace marvella
