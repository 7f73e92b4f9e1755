// Strings of a module's string table.
#include "toolbar/win32/ModuleStringTable.h"

namespace marvella {

std::size_t ModuleStringTable::Load(unsigned id, char* buffer, std::size_t capacity) {
  if (capacity == 0) return 0;
  buffer[0] = '\0';
  int limit = capacity > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(capacity);
  int length = LoadStringA(module_, id, buffer, limit);
  if (length <= 0) {
    buffer[0] = '\0';
    return 0;
  }
  return static_cast<std::size_t>(length);
}

}  // namespace marvella
