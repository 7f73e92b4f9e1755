// The files the toolbar works with in the temporary directory: page files, the working
// copy of the bookmarks file, the banner. Windows reads pages through a read-only file
// mapping; tests and benchmarks use what suits them.
#pragma once

#include <cstddef>

namespace marvella {

// A whole file, readable while the view lives. Not zero-terminated.
struct FileView {
  const char* bytes = nullptr;
  std::size_t size = 0;
  void* token = nullptr;  // the implementation's own
};

class FileAccess {
 public:
  virtual ~FileAccess() = default;
  // Copies the temporary directory, ending in a separator, into buffer (capacity bytes).
  // False when there is none or it does not fit.
  virtual bool TempDirectory(char* buffer, std::size_t capacity) = 0;
  virtual bool Exists(const char* path) = 0;
  // Deletes the file if it is there.
  virtual void Delete(const char* path) = 0;
  // Opens the file read-only and makes its whole content readable through view; false
  // when it cannot be opened or mapped (an empty file cannot be mapped either).
  virtual bool Map(const char* path, FileView* view) = 0;
  virtual void Unmap(FileView* view) = 0;
};

// The temporary directory followed by name, into path (capacity bytes). False, with an
// empty path, when the directory is unknown or the whole path does not fit.
bool TempFilePath(FileAccess& files, const char* name, char* path, std::size_t capacity);

// Maps path and hands its bytes to read(bytes, size); false when the file could not
// be mapped, else what read returned.
template <typename Read>
bool ReadMapped(FileAccess& files, const char* path, Read read) {
  FileView view;
  if (!files.Map(path, &view)) return false;
  bool result = read(view.bytes, view.size);
  files.Unmap(&view);
  return result;
}

}  // namespace marvella
