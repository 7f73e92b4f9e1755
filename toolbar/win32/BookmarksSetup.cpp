// The working copy of the bookmarks file.
#include "toolbar/win32/BookmarksSetup.h"

#include "toolbar/ToolbarTexts.h"
#include "toolbar/Threads.h"
#include "common/BoundedText.h"
#include "common/win32/PrivateProfileSource.h"

namespace marvella {

namespace {

// The working copy as the process last read it. The profile functions open the file for
// every key asked, tens of milliseconds for a whole read on the window's thread; while the
// file keeps its size and write time, the next toolbar takes that read instead.
class LastRead {
 public:
  void Read(BookmarksFile& bookmarks, const char* path) {
    WIN32_FILE_ATTRIBUTE_DATA stamp;
    bool stamped = GetFileAttributesExA(path, GetFileExInfoStandard, &stamp) != 0;
    MutexLock lock(lock_);
    if (stamped && Same(path, stamp) && bookmarks.TakeMenusOf(menus_.get(), menuCount_)) {
      // As the read did: a file without user menus leaves the tables alone.
      if (menuCount_) bookmarks.Tables().Store(engines_, personalization_, portal_, internal_);
      return;
    }
    PrivateProfileSource source(path);
    bookmarks.Read(source);
    valid_ = stamped && CopyBounded(path_, path) && Keep(bookmarks);
    if (valid_) stamp_ = stamp;
  }

 private:
  bool Same(const char* path, const WIN32_FILE_ATTRIBUTE_DATA& stamp) const {
    return valid_ && lstrcmpiA(path_, path) == 0 && stamp.nFileSizeLow == stamp_.nFileSizeLow &&
           stamp.nFileSizeHigh == stamp_.nFileSizeHigh &&
           CompareFileTime(&stamp.ftLastWriteTime, &stamp_.ftLastWriteTime) == 0;
  }

  bool Keep(BookmarksFile& bookmarks) {
    menus_ = CopyMenus(bookmarks.Menus(), bookmarks.MenuCount());
    menuCount_ = menus_ ? bookmarks.MenuCount() : 0;
    if (bookmarks.MenuCount() && !menus_) return false;
    if (menuCount_) {
      BookmarkTables& tables = bookmarks.Tables();
      tables.CopySearchEngines(&engines_);
      tables.CopyPersonalizationLinks(&personalization_);
      tables.CopyPortalLinks(&portal_);
      tables.CopyInternalSettings(&internal_);
    }
    return true;
  }

  Mutex lock_;
  bool valid_ = false;
  char path_[MAX_PATH] = "";
  WIN32_FILE_ATTRIBUTE_DATA stamp_ = {};
  std::unique_ptr<UserMenu[]> menus_;
  unsigned menuCount_ = 0;
  SearchEngineTable engines_;
  PersonalizationLinks personalization_;
  PortalLinks portal_;
  InternalSettings internal_;
};

LastRead g_lastRead;

}  // namespace

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
  if (files.Exists(path)) g_lastRead.Read(bookmarks, path);
  bookmarks.SetDownload(url, path);
}

}  // namespace marvella
