// The working copy of the bookmarks file in the temporary directory: made from the default
// copy in the library's resources when it is missing, then read by the toolbar's
// BookmarksFile.
#pragma once

#include "toolbar/BookmarksFile.h"
#include "toolbar/FileAccess.h"
#include "toolbar/StringTable.h"

#include <windows.h>

namespace marvella {

// Writes resource "FILE" 149 of module to path, only when no file is there (never
// overwrites). A write that fails part-way leaves no file behind, so that the next toolbar
// tries again instead of reading half a file. True when the file was written.
bool ExtractDefaultBookmarks(HMODULE module, const char* path);

// The construction steps of a toolbar's BookmarksFile: working-copy path (string 2307),
// the default copy when the file is absent, reading it, and the download URL (string 2051).
void PrepareBookmarksFile(BookmarksFile& bookmarks, HMODULE module, StringTable& strings,
                          FileAccess& files);

}  // namespace marvella
