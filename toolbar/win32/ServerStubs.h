// What the toolbar object needs of the COM server's process-wide state and settings: the
// module, the object count, the live toolbar list and the "Software\Marvella" values. The
// server's own state replaces this file when the two meet (same names, same meaning).
#pragma once

#include <windows.h>

#include <cstddef>

namespace marvella {

// The module that holds this code and its resources (tandem.dll, or a test program).
HINSTANCE ModuleHandle();

// The object count: each toolbar object holds one unit while it exists.
void LockModule();
void UnlockModule();
long ObjectCount();

// A toolbar object as the live list knows it.
class LiveToolbar {
 public:
  // Destroys the toolbar's windows (the uninstall); the object lives on.
  virtual void DestroyToolbarWindows() = 0;

 protected:
  LiveToolbar() = default;
  ~LiveToolbar() = default;
  LiveToolbar(const LiveToolbar&) = delete;
  LiveToolbar& operator=(const LiveToolbar&) = delete;

 private:
  friend struct LiveToolbarLinks;
  LiveToolbar* nextLive_ = nullptr;
  bool listed_ = false;
};

void RegisterLiveToolbar(LiveToolbar& toolbar);    // at the front
void UnregisterLiveToolbar(LiveToolbar& toolbar);
std::size_t LiveToolbarCount();

// REG_SZ values under HKEY_CURRENT_USER\Software\Marvella.
bool WriteSetting(const char* name, const char* text);
// True only when the key exists and the value fitted; the text is then zero-ended.
bool ReadSetting(const char* name, char* buffer, std::size_t capacity);

}  // namespace marvella
