// Temporary directory, file checks and read-only mappings.
#include "toolbar/win32/Win32FileAccess.h"

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
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD high = 0;
  DWORD size = GetFileSize(file, &high);
  if ((size == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) || high != 0 || size == 0) {
    CloseHandle(file);
    return false;
  }
  HANDLE mapping = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
  if (!mapping) {
    CloseHandle(file);
    return false;
  }
  const void* bytes = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
  CloseHandle(mapping);  // the view keeps the mapping
  if (!bytes) {
    CloseHandle(file);
    return false;
  }
  view->bytes = static_cast<const char*>(bytes);
  view->size = size;
  view->token = file;
  return true;
}

void Win32FileAccess::Unmap(FileView* view) {
  if (view->bytes) UnmapViewOfFile(view->bytes);
  if (view->token) CloseHandle(static_cast<HANDLE>(view->token));
  *view = FileView();
}

}  // namespace marvella
