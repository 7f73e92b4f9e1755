// What DllRegisterServer and DllUnregisterServer do: the toolbar's class, its
// browser-helper key and, on old shells, its logon entry; and their removal.
#pragma once

#include <windows.h>

namespace marvella {

// The toolbar object's class, the only one the server hands out.
extern const CLSID kToolbarClassId;

// Writes the class keys, the browser-helper key and (below shell 5.5) the logon entry,
// then, unless the host is the registration tool, tells the user. When the registry
// refuses a class or helper key: the first error, and the user is told so in any host.
HRESULT RegisterServer();

// Removes every registration of the class (also those other installers leave: its
// explorer-bar category and toolbar value), without a word. S_OK when every key and
// value of the machine is gone (one that was absent counts as gone), else the first
// error; every step runs either way.
HRESULT RemoveRegistration();
// The notice of RemoveRegistration's result: "desinstalado", or why not.
void TellUnregistered(HRESULT result);
// Both: what DllUnregisterServer does.
HRESULT UnregisterServer();

}  // namespace marvella
