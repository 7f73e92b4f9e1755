// Renaming exports in place, in a module's own export table.
#include "simulators/common/HiddenExports.h"

#include <cstring>

namespace marvella::simulators {

void HideExport(HMODULE module, const char* name) {
  auto* base = reinterpret_cast<unsigned char*>(module);
  auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  if (!dir.VirtualAddress) return;
  auto* exports = reinterpret_cast<IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
  auto* names = reinterpret_cast<DWORD*>(base + exports->AddressOfNames);
  for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
    char* exported = reinterpret_cast<char*>(base + names[i]);
    if (std::strcmp(exported, name) != 0) continue;
    std::size_t n = std::strlen(exported);
    DWORD old = 0;
    if (n && VirtualProtect(exported, n, PAGE_READWRITE, &old)) {
      exported[n - 1] = char(exported[n - 1] ^ 0x20);
      VirtualProtect(exported, n, old, &old);
    }
  }
}

}  // namespace marvella::simulators
