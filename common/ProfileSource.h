// Where INI-style settings come from: install.ini, the toolbar's bookmarks file.
// The Win32 source asks the private-profile functions; the portable reader follows the
// same rules so the logic above it runs natively: section and key lookups ignore case,
// values are trimmed, an empty value is the same as a missing key, and every value is cut
// to the caller's capacity (terminating zero inside it).
#pragma once

#include <cstddef>

namespace marvella {

class ProfileSource {
 public:
  virtual ~ProfileSource() = default;

  // Copies the value of `key` in `section`, or `fallback` when it is missing or empty, into
  // `buffer` (capacity bytes, at least 1), cut to capacity - 1 characters and zero-ended.
  // Returns the number of characters copied, as GetPrivateProfileStringA does.
  virtual size_t ReadString(const char* section, const char* key, const char* fallback,
                            char* buffer, size_t capacity) = 0;

  // Writes the section names, each zero-ended, the list ended by one more zero, as
  // GetPrivateProfileSectionNamesA does; names that do not fit whole are left out. Returns
  // the number of bytes written before the final zero.
  virtual size_t ReadSectionNames(char* buffer, size_t capacity) = 0;
};

}  // namespace marvella
