// Where INI-style settings come from: install.ini, the toolbar's bookmarks file.
// The Win32 source asks the private-profile functions; the portable reader (ProfileReader.h)
// follows the same rules so the logic above it runs natively and gives the same answers:
// - lines end at LF or CR; blanks, tabs, VT, FF and ^Z around lines, names and values go;
// - "[name]" opens a section (the name is what lies before the last "]", trimmed); section
//   and key names are compared without regard to case; only the first section of a name
//   is searched, and in it the first key of a name;
// - a key with "=" and nothing after it has the empty value (the fallback is NOT used); a
//   line without "=" has no value, like a missing key;
// - one pair of matching quotes (' or ") around a whole value is removed;
// - every value is cut to the caller's capacity, the terminating zero inside it.
#pragma once

#include <cstddef>

namespace marvella {

class ProfileSource {
 public:
  virtual ~ProfileSource() = default;

  // Copies the value of `key` in `section` into `buffer` (capacity bytes, at least 1), cut
  // to capacity - 1 characters and zero-ended. When the key name is empty, the key is
  // missing, or its line has no "=", `fallback` is copied instead, without its trailing
  // blanks and its quotes.
  // Returns the number of characters copied, as GetPrivateProfileStringA does.
  virtual size_t ReadString(const char* section, const char* key, const char* fallback,
                            char* buffer, size_t capacity) = 0;

  // Writes the names of the sections (those with a non-empty name, in file order, repeated
  // names included), each zero-ended, the list ended by one more zero, as
  // GetPrivateProfileSectionNamesA does. When the list does not fit, the name that does not
  // fit (or only just fits) is cut to the space left, the list ends there with two zeros
  // (both inside the capacity) and the result is capacity - 2; otherwise the result is the
  // number of bytes written before the final zero. A capacity of 0 writes nothing.
  virtual size_t ReadSectionNames(char* buffer, size_t capacity) = 0;
};

}  // namespace marvella
