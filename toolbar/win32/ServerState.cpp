// The COM server's process-wide state. One lock (Threads.h, as the download queue has)
// serialises the live list; the counts are interlocked.
#include "toolbar/win32/ServerState.h"

#include "toolbar/Threads.h"

// The image this code is linked into: tandem.dll, or a test program that hosts the toolbar.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace marvella {

namespace {
HINSTANCE g_module = nullptr;
volatile LONG g_major = 0;
volatile LONG g_minor = 0;
volatile LONG g_objects = 0;
Mutex g_listLock;
LiveToolbar* g_newest = nullptr;  // guarded by g_listLock
std::size_t g_listed = 0;         // guarded by g_listLock
}  // namespace

struct LiveToolbarLinks {
  static LiveToolbar*& Next(LiveToolbar& t) { return t.nextLive_; }
  static bool& Listed(LiveToolbar& t) { return t.listed_; }
};

// Static objects ask before the entry point has run: the image itself answers then.
HINSTANCE ModuleHandle() {
  return g_module ? g_module : reinterpret_cast<HINSTANCE>(&__ImageBase);
}
void SetModuleHandle(HINSTANCE module) { g_module = module; }

ShellVersion CurrentShellVersion() {
  return ShellVersion{static_cast<unsigned>(g_major), static_cast<unsigned>(g_minor)};
}

void SetShellVersion(ShellVersion version) {
  g_major = static_cast<LONG>(version.major);
  g_minor = static_cast<LONG>(version.minor);
}

void LockModule() { InterlockedIncrement(&g_objects); }
void UnlockModule() { InterlockedDecrement(&g_objects); }
long ObjectCount() { return g_objects; }  // an aligned 32-bit read is atomic on x86

bool CanUnloadServer() { return ObjectCount() == 0 && RunningThreads() == 0; }

void RegisterLiveToolbar(LiveToolbar& toolbar) {
  MutexLock lock(g_listLock);
  if (LiveToolbarLinks::Listed(toolbar)) return;
  LiveToolbarLinks::Next(toolbar) = g_newest;
  LiveToolbarLinks::Listed(toolbar) = true;
  g_newest = &toolbar;
  ++g_listed;
}

void UnregisterLiveToolbar(LiveToolbar& toolbar) {
  MutexLock lock(g_listLock);
  if (!LiveToolbarLinks::Listed(toolbar)) return;
  for (LiveToolbar** link = &g_newest; *link; link = &LiveToolbarLinks::Next(**link)) {
    if (*link != &toolbar) continue;
    *link = LiveToolbarLinks::Next(toolbar);
    break;
  }
  LiveToolbarLinks::Next(toolbar) = nullptr;
  LiveToolbarLinks::Listed(toolbar) = false;
  --g_listed;
}

void DestroyAllToolbars() {
  MutexLock lock(g_listLock);
  while (LiveToolbar* toolbar = g_newest) {
    g_newest = LiveToolbarLinks::Next(*toolbar);
    LiveToolbarLinks::Next(*toolbar) = nullptr;
    LiveToolbarLinks::Listed(*toolbar) = false;
    --g_listed;
    toolbar->DestroyToolbarWindows();
  }
}

std::size_t LiveToolbarCount() {
  MutexLock lock(g_listLock);
  return g_listed;
}

}  // namespace marvella
