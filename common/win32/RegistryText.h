// A text in the registry as Windows keeps one: REG_SZ, its terminating zero included.
#pragma once

#include <windows.h>

namespace marvella {

inline bool WriteRegistryText(HKEY key, const char* name, const char* text) {
  return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                        static_cast<DWORD>(lstrlenA(text) + 1)) == ERROR_SUCCESS;
}

}  // namespace marvella
