// The toolbar's files on Windows: the directory from GetTempPathA, and pages read through
// a read-only file mapping, never copied into a buffer of their own.
#pragma once

#include "toolbar/FileAccess.h"

namespace marvella {

class Win32FileAccess : public FileAccess {
 public:
  bool TempDirectory(char* buffer, std::size_t capacity) override;
  bool Exists(const char* path) override;
  void Delete(const char* path) override;
  // Opens for reading (other readers allowed, writers kept out while the view lives) and
  // maps the whole file read-only.
  bool Map(const char* path, FileView* view) override;
  void Unmap(FileView* view) override;
};

}  // namespace marvella
