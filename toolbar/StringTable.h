// The library's string table: addresses, file names and user-facing texts by number.
// Windows loads them from the module's resources; tests give their own.
#pragma once

#include <cstddef>

namespace marvella {

class StringTable {
 public:
  virtual ~StringTable() = default;
  // Copies string `id` into buffer (capacity bytes, at least 1), cut to capacity - 1
  // characters and zero-ended; an unknown id gives an empty text. Returns the length.
  virtual std::size_t Load(unsigned id, char* buffer, std::size_t capacity) = 0;
};

}  // namespace marvella
