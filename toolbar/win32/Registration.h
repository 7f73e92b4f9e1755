// What DllRegisterServer and DllUnregisterServer do: the toolbar's class, its
// browser-helper key and, on old shells, its logon entry; and their removal.
#pragma once

#include <windows.h>

namespace marvella {

// The toolbar object's class, the only one the server hands out.
extern const CLSID kToolbarClassId;

// Writes the class keys, the browser-helper key and (below shell 5.5) the logon entry,
// then, unless the host is the registration tool, tells the user. Always S_OK.
HRESULT RegisterServer();

// Removes every registration of the class (also those other installers leave: its
// explorer-bar category and toolbar value), then tells the user. Always S_OK.
HRESULT UnregisterServer();

}  // namespace marvella
