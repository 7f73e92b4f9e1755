// The working copy of the bookmarks file.
#include "toolbar/win32/BookmarksSetup.h"

#include "toolbar/ToolbarTexts.h"
#include "common/win32/PrivateProfileSource.h"

namespace marvella {

bool ExtractDefaultBookmarks(HMODULE module, const char* path) {
  HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(IDR_DEFAULT_BOOKMARKS), "FILE");
  if (!resource) return false;
  DWORD size = SizeofResource(module, resource);
  HGLOBAL loaded = LoadResource(module, resource);
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) return false;
  HANDLE file =
      CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool whole = WriteFile(file, bytes, size, &written, nullptr) && written == size;
  CloseHandle(file);
  if (!whole) DeleteFileA(path);
  return whole;
}

void PrepareBookmarksFile(BookmarksFile& bookmarks, HMODULE module, StringTable& strings,
                          FileAccess& files) {
  char name[MAX_PATH];
  char path[MAX_PATH];
  strings.Load(IDS_FILE_BOOKMARKS, name, sizeof name);
  char url[kRequestUrlCapacity];
  strings.Load(IDS_URL_BOOKMARKS, url, sizeof url);
  if (!name[0] || !TempFilePath(files, name, path, sizeof path)) return;
  if (!files.Exists(path)) ExtractDefaultBookmarks(module, path);
  if (files.Exists(path)) {
    PrivateProfileSource source(path);
    bookmarks.Read(source);
  }
  bookmarks.SetDownload(url, path);
}

}  // namespace marvella
