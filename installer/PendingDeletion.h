// An uninstall leaves the program it ran from to be deleted at the next start of Windows.
// Installing again before that start must take the file off the list, or the restart would
// delete the new copy. These edit the two lists where the deletions wait.
#pragma once

#include <cstddef>

namespace marvella {

// `list` holds `length` bytes of zero-terminated texts, one after another (the list's own
// final zero not counted). Each drops in place the deletions of one file and returns the
// new length.

// WININIT.INI's [rename] section as the profile calls give it ("NUL=<short path>" deletes;
// Windows 95 and 98). `path` is the file's short path.
std::size_t DropWininitDeletion(char* list, std::size_t length, const char* path);

// PendingFileRenameOperations (Windows NT): pairs of a source ("\??\<path>") and a target,
// where an empty target deletes. Renames are left alone.
std::size_t DropPendingDeletion(char* list, std::size_t length, const char* path);

}  // namespace marvella
