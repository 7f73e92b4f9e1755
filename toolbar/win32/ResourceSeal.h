// The library's guard on its built-in texts and its default bookmarks file: a digest of the
// string table and of resource FILE 149, written into the library after it is linked
// (scripts/seal-resources) and compared when it loads. A copy whose texts or bookmarks were
// edited refuses to load rather than send the user to addresses we never shipped.
#pragma once

#include <windows.h>

#include <cstdint>

namespace marvella {

// FNV-1a (64 bits) over every string-table block in ascending order (its number and size,
// 32-bit little-endian, then its bytes) followed by FILE 149 (size, then bytes). False when
// a resource cannot be read.
bool DigestResources(HMODULE module, std::uint64_t* digest);

// True when the module's resources match the digest sealed into it; an unsealed library is
// not intact.
bool ResourcesIntact(HMODULE module);

}  // namespace marvella
