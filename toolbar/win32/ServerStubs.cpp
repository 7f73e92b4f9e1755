// The toolbar object's view of the server state: module, object count, live list, settings.
#include "toolbar/win32/ServerStubs.h"

#include "toolbar/Threads.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace marvella {

namespace {
long g_objects = 0;
Mutex g_liveLock;
LiveToolbar* g_live = nullptr;
std::size_t g_liveCount = 0;
const char kSettingsKey[] = "Software\\Marvella";
}  // namespace

struct LiveToolbarLinks {
  static LiveToolbar*& Next(LiveToolbar& t) { return t.nextLive_; }
  static bool& Listed(LiveToolbar& t) { return t.listed_; }
};

HINSTANCE ModuleHandle() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

void LockModule() { InterlockedIncrement(&g_objects); }
void UnlockModule() { InterlockedDecrement(&g_objects); }
long ObjectCount() { return InterlockedExchangeAdd(&g_objects, 0); }

void RegisterLiveToolbar(LiveToolbar& toolbar) {
  MutexLock lock(g_liveLock);
  LiveToolbarLinks::Next(toolbar) = g_live;
  LiveToolbarLinks::Listed(toolbar) = true;
  g_live = &toolbar;
  ++g_liveCount;
}

void UnregisterLiveToolbar(LiveToolbar& toolbar) {
  MutexLock lock(g_liveLock);
  if (!LiveToolbarLinks::Listed(toolbar)) return;
  for (LiveToolbar** at = &g_live; *at; at = &LiveToolbarLinks::Next(**at)) {
    if (*at != &toolbar) continue;
    *at = LiveToolbarLinks::Next(toolbar);
    LiveToolbarLinks::Listed(toolbar) = false;
    --g_liveCount;
    return;
  }
}

std::size_t LiveToolbarCount() {
  MutexLock lock(g_liveLock);
  return g_liveCount;
}

bool WriteSetting(const char* name, const char* text) {
  HKEY key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return false;
  RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                 static_cast<DWORD>(lstrlenA(text) + 1));
  RegCloseKey(key);
  return true;
}

bool ReadSetting(const char* name, char* buffer, std::size_t capacity) {
  if (capacity == 0) return false;
  buffer[0] = '\0';
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  DWORD size = static_cast<DWORD>(capacity);
  LONG result = RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer),
                                 &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS) {
    buffer[0] = '\0';
    return false;
  }
  // A value stored by someone else need not end in a zero.
  buffer[size < capacity ? size : capacity - 1] = '\0';
  return true;
}

}  // namespace marvella
