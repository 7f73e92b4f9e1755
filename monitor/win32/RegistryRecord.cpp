// Record values as REG_SZ under HKEY_LOCAL_MACHINE.
#include "monitor/win32/RegistryRecord.h"

#include <windows.h>

#include "common/win32/Owned.h"
#include "common/win32/RegistryText.h"

namespace marvella {

bool RegistryRecord::Read(const char* name, char* out) {
  out[0] = '\0';
  HKEY opened;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kInstallRecordKey, 0, KEY_QUERY_VALUE, &opened) !=
      ERROR_SUCCESS)
    return false;
  OwnedKey key(opened);
  DWORD type = 0;
  DWORD size = kRecordTextSize - 1;  // one byte stays zero whatever the value holds
  LONG r = RegQueryValueExA(key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(out), &size);
  out[r == ERROR_SUCCESS ? size : 0] = '\0';
  return r == ERROR_SUCCESS && type == REG_SZ;
}

bool RegistryRecord::Write(const char* name, const char* value) {
  HKEY opened;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kInstallRecordKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_SET_VALUE, nullptr, &opened, nullptr) != ERROR_SUCCESS)
    return false;
  OwnedKey key(opened);
  return static_cast<std::size_t>(lstrlenA(value)) < kRecordTextSize &&
         WriteRegistryText(key.Get(), name, value);
}

bool RegistryRecord::Remove(const char* name) {
  HKEY opened;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kInstallRecordKey, 0, KEY_SET_VALUE, &opened) !=
      ERROR_SUCCESS)
    return true;
  OwnedKey key(opened);
  LONG r = RegDeleteValueA(key.Get(), name);
  return r == ERROR_SUCCESS || r == ERROR_FILE_NOT_FOUND;
}

bool RemoveRegistryRecord() {
  LONG r = RegDeleteKeyA(HKEY_LOCAL_MACHINE, kInstallRecordKey);
  if (r != ERROR_SUCCESS && r != ERROR_FILE_NOT_FOUND) return false;
  HKEY opened;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kInstallRecordParent, 0, KEY_QUERY_VALUE, &opened) !=
      ERROR_SUCCESS)
    return true;
  OwnedKey key(opened);
  DWORD subkeys = 1, values = 1;
  bool empty = RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                                &values, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
               subkeys == 0 && values == 0;
  key.Reset();
  if (empty) RegDeleteKeyA(HKEY_LOCAL_MACHINE, kInstallRecordParent);
  return true;
}

}  // namespace marvella
