// The installation record in the registry (monitor/InstallRecord.h): install.exe writes it,
// marvella.exe's uninstall reads and removes it.
#pragma once

#include "monitor/InstallRecord.h"

namespace marvella {

class RegistryRecord final : public RecordStore {
 public:
  bool Read(const char* name, char* out) override;
  bool Write(const char* name, const char* value) override;
  bool Remove(const char* name) override;
};

// Deletes the record's key, and the kit's key above it when nothing else is left there
// (Windows 95's RegDeleteKey would take a whole tree). True when the record is gone.
bool RemoveRegistryRecord();

}  // namespace marvella
