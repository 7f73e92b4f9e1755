// tandem.dll entry points: the load guard and the COM server exports.
#include "toolbar/win32/ClassFactory.h"
#include "toolbar/win32/Registration.h"
#include "toolbar/win32/ResourceSeal.h"
#include "toolbar/win32/ServerState.h"
#include "toolbar/win32/ShellVersionQuery.h"

#include <windows.h>

using namespace marvella;

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  SetModuleHandle(instance);
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  DisableThreadLibraryCalls(instance);
  // With the shell's desktop update, folder windows are browser windows in explorer.exe
  // and would load the toolbar too: it belongs in the browser only.
  if (HostPathContains("explorer.exe")) return FALSE;
  unsigned major = 0;
  unsigned minor = 0;
  QueryShellVersion(&major, &minor);  // a failed query leaves 0.0, which loads
  SetShellVersion(ShellVersion{major, minor});
  if (!ResourcesIntact(instance)) return FALSE;
  return ShellVersionServed(major, minor) ? TRUE : FALSE;
}

extern "C" HRESULT WINAPI DllCanUnloadNow() { return CanUnloadServer() ? S_OK : S_FALSE; }

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  return GetServerClassObject(clsid, iid, out);
}

extern "C" HRESULT WINAPI DllRegisterServer() { return RegisterServer(); }

extern "C" HRESULT WINAPI DllUnregisterServer() { return UnregisterServer(); }
