// The toolbar's per-user settings key.
#include "toolbar/win32/ToolbarSettings.h"

#include "common/win32/Owned.h"

#include <windows.h>

#include <cstring>

namespace marvella {

namespace {
constexpr char kSettingsKey[] = "Software\\Marvella";
}

bool WriteSetting(const char* name, const char* text) {
  HKEY created;
  DWORD disposition;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_WRITE, nullptr, &created, &disposition) != ERROR_SUCCESS)
    return false;
  OwnedKey key(created);
  RegSetValueExA(key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                 static_cast<DWORD>(std::strlen(text) + 1));
  return true;
}

bool ReadSetting(const char* name, char* buffer, std::size_t capacity) {
  if (capacity == 0) return false;
  buffer[0] = '\0';
  HKEY opened;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &opened) != ERROR_SUCCESS)
    return false;
  OwnedKey key(opened);
  // One byte is kept for the terminating zero: the value's type and ending are not
  // trusted.
  DWORD size = static_cast<DWORD>(capacity - 1);
  LONG read =
      RegQueryValueExA(key.Get(), name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
  if (read != ERROR_SUCCESS) {
    buffer[0] = '\0';
    return false;
  }
  buffer[size < capacity ? size : capacity - 1] = '\0';
  return true;
}

}  // namespace marvella
