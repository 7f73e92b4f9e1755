// The COM server's process-wide state: the module handle, the shell version, the count of
// live objects and the list of live toolbar objects that the uninstall walks. Browser
// windows of one process run on threads of their own, so every part of it may be reached
// from several threads at once; each is safe to use from any thread.
#pragma once

#include <windows.h>

#include <cstddef>

namespace marvella {

// The library's own instance handle, stored by the entry point for every later resource
// and file-name lookup. In a program that links the server code itself (tests): the
// program's, unless set.
HINSTANCE ModuleHandle();
void SetModuleHandle(HINSTANCE module);

// Major and minor version of shdocvw.dll; 0.0 until the entry point has queried them.
struct ShellVersion {
  unsigned major;
  unsigned minor;
};
ShellVersion CurrentShellVersion();
void SetShellVersion(ShellVersion version);

// The object count. Every class factory and every toolbar object holds one unit while it
// exists: LockModule when it is constructed, UnlockModule as the last thing it does,
// after every thread it started has been joined and every window it owns is gone, so that
// a count of 0 means nothing of it can still run.
void LockModule();
void UnlockModule();
long ObjectCount();

// True when the library may be unloaded: no object lives and no thread started by the
// library (download worker, mail polling) still runs code in it.
bool CanUnloadServer();

// A toolbar object as the live list knows it; the object embeds it (no allocation).
class LiveToolbar {
 public:
  // Destroys the toolbar's windows; the object stays alive until the browser releases
  // it. Called by DestroyAllToolbars on the thread that runs the uninstall, with the
  // list's lock held: it must not call into the list, and must not wait for another
  // thread (a toolbar whose windows belong to another thread posts to them, never sends).
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

// Adds a toolbar at the front of the list (its constructor calls it).
void RegisterLiveToolbar(LiveToolbar& toolbar);
// Drops a toolbar from the list (its destructor calls it); nothing happens when the
// uninstall has dropped it already.
void UnregisterLiveToolbar(LiveToolbar& toolbar);
// For every listed toolbar, newest first: destroys its windows and drops it.
void DestroyAllToolbars();
std::size_t LiveToolbarCount();

}  // namespace marvella
