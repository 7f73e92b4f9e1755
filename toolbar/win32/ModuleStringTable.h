// The string table of a module (tandem.dll itself, or the file loaded as data in tests).
#pragma once

#include "toolbar/StringTable.h"

#include <windows.h>

namespace marvella {

class ModuleStringTable : public StringTable {
 public:
  explicit ModuleStringTable(HMODULE module) : module_(module) {}
  std::size_t Load(unsigned id, char* buffer, std::size_t capacity) override;

 private:
  HMODULE module_;
};

}  // namespace marvella
