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
}  // namespace

struct LiveToolbarLinks {
  static LiveToolbar*& Next(LiveToolbar& t) { return t.nextLive_; }
  static bool& Listed(LiveToolbar& t) { return t.listed_; }
  static DWORD& Thread(LiveToolbar& t) { return t.thread_; }
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
  LiveToolbarLinks::Thread(toolbar) = GetCurrentThreadId();
  g_newest = &toolbar;
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
}

bool LiveToolbarListed(LiveToolbar& toolbar) {
  MutexLock lock(g_listLock);
  return LiveToolbarLinks::Listed(toolbar);
}

void DestroyAllToolbars() {
  // Another thread's toolbar may go the moment the lock is let go: it is only posted to,
  // with the lock held. This thread's own ones go nowhere meanwhile (only this thread
  // releases them); they are chained through their links and destroyed after the lock is
  // let go, since a toolbar of another thread that closes waits for it.
  LiveToolbar* own = nullptr;
  LiveToolbar** ownTail = &own;
  {
    MutexLock lock(g_listLock);
    const DWORD self = GetCurrentThreadId();
    while (LiveToolbar* toolbar = g_newest) {
      g_newest = LiveToolbarLinks::Next(*toolbar);
      LiveToolbarLinks::Next(*toolbar) = nullptr;
      LiveToolbarLinks::Listed(*toolbar) = false;
      if (LiveToolbarLinks::Thread(*toolbar) == self) {
        *ownTail = toolbar;
        ownTail = &LiveToolbarLinks::Next(*toolbar);
      } else if (HWND window = toolbar->HostWindow()) {
        PostMessageA(window, kTeardownMessage, 0, 0);
      }
    }
  }
  while (LiveToolbar* toolbar = own) {
    own = LiveToolbarLinks::Next(*toolbar);
    LiveToolbarLinks::Next(*toolbar) = nullptr;
    toolbar->DestroyToolbarWindows();
  }
}

}  // namespace marvella
