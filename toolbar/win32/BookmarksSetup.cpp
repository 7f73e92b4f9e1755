// The working copy of the bookmarks file.
#include "toolbar/win32/BookmarksSetup.h"

#include "toolbar/ToolbarTexts.h"
#include "toolbar/Threads.h"
#include "common/win32/Owned.h"
#include "common/win32/PrivateProfileSource.h"

#include <cstring>
#include <new>

namespace marvella {

namespace {

// The working copy's bytes, when it has no more than kKeptBytes of them (the shipped file
// has a few kilobytes, a download takes no more). True when they were all read.
constexpr DWORD kKeptBytes = kLargestBookmarksBody;

// A working copy bigger than any download brings (one left by an older toolbar) would be
// read key by key by every window: the default copy takes its place until the next fetch.
bool Oversized(const char* path) {
  OwnedFile file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD high = 0;
  DWORD size = GetFileSize(file.Get(), &high);
  return size != INVALID_FILE_SIZE && (high != 0 || size > kKeptBytes);
}

bool ReadBytes(const char* path, std::unique_ptr<char[]>& bytes, DWORD& size) {
  OwnedFile file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD high = 0;
  size = GetFileSize(file.Get(), &high);
  if (size == INVALID_FILE_SIZE || high != 0 || size > kKeptBytes) return false;
  bytes.reset(new (std::nothrow) char[size ? size : 1]);
  DWORD read = 0;
  return bytes && ReadFile(file.Get(), bytes.get(), size, &read, nullptr) && read == size;
}

// The working copy as the process last read it. The profile functions open the file for
// every key asked, tens of milliseconds for a whole read on the window's thread; while the
// file holds the same bytes (each toolbar fetches it anew, mostly to the same content), the
// next toolbar takes that read instead.
class LastRead {
 public:
  void Read(BookmarksFile& bookmarks, const char* path) {
    std::unique_ptr<char[]> before;
    DWORD size = 0;
    bool readable = ReadBytes(path, before, size);
    MutexLock lock(lock_);
    if (readable && Same(before.get(), size) &&
        bookmarks.TakeMenusOf(menus_.get(), menuCount_)) {
      // As the read did: a file without user menus leaves the tables alone.
      if (menuCount_) bookmarks.Tables().Store(engines_, personalization_, portal_, internal_);
      return;
    }
    PrivateProfileSource source(path);
    bookmarks.Read(source);
    // Kept only when the file did not change while it was read.
    std::unique_ptr<char[]> after;
    DWORD sizeAfter = 0;
    bytes_.reset();
    if (readable && ReadBytes(path, after, sizeAfter) && sizeAfter == size &&
        std::memcmp(before.get(), after.get(), size) == 0 && Keep(bookmarks)) {
      bytes_ = std::move(before);
      size_ = size;
    }
  }

 private:
  bool Same(const char* bytes, DWORD size) const {
    return bytes_ && size == size_ && std::memcmp(bytes, bytes_.get(), size) == 0;
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
  std::unique_ptr<char[]> bytes_;  // null: nothing kept
  DWORD size_ = 0;
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
  bool whole;
  {
    OwnedFile file(
        CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    whole = WriteFile(file.Get(), bytes, size, &written, nullptr) && written == size;
  }  // closed before a short copy is deleted
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
  if (Oversized(path)) files.Delete(path);
  if (!files.Exists(path)) ExtractDefaultBookmarks(module, path);
  if (files.Exists(path)) g_lastRead.Read(bookmarks, path);
  bookmarks.SetDownload(url, path);
}

}  // namespace marvella
