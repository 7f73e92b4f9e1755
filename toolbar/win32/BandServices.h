// The services every toolbar of tandem.dll works with: the library's string table and
// bitmaps, the process-wide queue, tables and files, the JPEG conversion and the settings
// key "Software\Marvella".
#pragma once

#include "toolbar/win32/BarControl.h"

namespace marvella {

BarServices& ProcessBarServices();

// The settings operations as the toolbar's settings store.
class RegistrySettings : public SettingsStore {
 public:
  bool Read(const char* name, char* buffer, std::size_t capacity) override;
  void Write(const char* name, const char* text) override;
};

}  // namespace marvella
