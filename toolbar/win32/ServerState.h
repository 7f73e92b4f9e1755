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

// Posted to a toolbar's host window by an uninstall run on another thread: the window's own
// thread destroys that toolbar (windows, browser objects and rebar belong to it).
constexpr UINT kTeardownMessage = WM_APP + 4;

// A toolbar object as the live list knows it; the object embeds it (no allocation). The
// list also keeps the toolbar's thread, so that an uninstall on another thread reaches it
// by a message posted to its host window, never by calling into it.
class LiveToolbar {
 public:
  // Destroys the toolbar's windows; the object stays alive until the browser releases
  // it. Called by DestroyAllToolbars on the toolbar's own thread, without the list's lock.
  virtual void DestroyToolbarWindows() = 0;
  // The host window (null when there is none), read from another thread with the list's
  // lock held, which keeps the object from going meanwhile: it only reads a handle.
  virtual HWND HostWindow() const = 0;

 protected:
  LiveToolbar() = default;
  ~LiveToolbar() = default;
  LiveToolbar(const LiveToolbar&) = delete;
  LiveToolbar& operator=(const LiveToolbar&) = delete;

 private:
  friend struct LiveToolbarLinks;
  LiveToolbar* nextLive_ = nullptr;
  bool listed_ = false;
  DWORD thread_ = 0;
};

// Adds a toolbar at the front of the list (its constructor calls it, on its thread).
void RegisterLiveToolbar(LiveToolbar& toolbar);
// Drops a toolbar from the list (its destructor calls it); nothing happens when the
// uninstall has dropped it already.
void UnregisterLiveToolbar(LiveToolbar& toolbar);
// False once the toolbar has left the list: an uninstalled toolbar builds no bar again.
bool LiveToolbarListed(LiveToolbar& toolbar);
// Drops every listed toolbar: those of the calling thread have their windows destroyed
// now, newest first; each of the others gets kTeardownMessage at its host window.
void DestroyAllToolbars();

}  // namespace marvella
