// Path texts as the installer takes them apart: both "\" and "/" separate.
#pragma once

#include <string>
#include <string_view>

namespace marvella {

// The text after the last "\" or "/"; the whole path when it has neither.
std::string FileNameOf(std::string_view path);

// The text up to and including the last "\" or "/"; the path unchanged when it has neither.
std::string DirectoryOf(std::string_view path);

// True when the file can be opened for reading (others may read it too); directories and
// missing files are not. Nothing stays open.
bool FileExists(const char* path);

}  // namespace marvella
