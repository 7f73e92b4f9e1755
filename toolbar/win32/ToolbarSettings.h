// The toolbar's per-user settings: REG_SZ values under HKEY_CURRENT_USER\Software\Marvella
// ("Hide", "LastAskedVersion").
#pragma once

#include <cstddef>

namespace marvella {

// Stores text as the named value, creating the key when needed. False only when the key
// cannot be created or opened (what the store itself answers is not looked at).
bool WriteSetting(const char* name, const char* text);

// Reads the named value into buffer (capacity bytes, at least 1). True only when the key
// exists and the value fitted; the text is then zero-ended whatever the value held, so a
// value written by someone else is never taken past the buffer.
bool ReadSetting(const char* name, char* buffer, std::size_t capacity);

}  // namespace marvella
