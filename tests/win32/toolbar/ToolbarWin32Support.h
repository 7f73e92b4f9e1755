// Shared pieces of the toolbar's Win32 tests: the built tandem.dll, a private temporary
// directory per test, and files written and read as raw bytes.
#pragma once

#include "tests/win32/support/TestPrograms.h"
#include "toolbar/win32/Win32FileAccess.h"

#include <windows.h>

#include <string>

namespace marvella {
namespace testing {

// The directory of the test program, where the build puts tandem.dll too.
using test::BinDir;
// tandem.dll loaded as data: its resources as shipped. Freed by the caller.
HMODULE LoadToolbarResources();

// A fresh directory under the system's temporary directory, ending in a backslash.
std::string FreshDirectory(const char* name);
// Every file name in directory (no sub-directories), sorted, separated by blanks.
std::string ListFiles(const std::string& directory);

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);

// A key below the toolbar's class key that no removal can open (a link to nowhere, as a
// key the user may not open would be), so that unregistration fails; and its removal.
bool BlockClassKeyRemoval();
void UnblockClassKeyRemoval();

// The real file access, with its temporary directory moved to a test's own.
class DirectoryFiles : public Win32FileAccess {
 public:
  explicit DirectoryFiles(std::string directory) : directory_(std::move(directory)) {}
  bool TempDirectory(char* buffer, std::size_t capacity) override;
  const std::string& Directory() const { return directory_; }

 private:
  std::string directory_;
};

}  // namespace testing
}  // namespace marvella
