// The tools menu's "Desinstalar": the confirmation dialog and the uninstall itself.
#pragma once

#include <windows.h>

namespace marvella {

// Shows the confirmation dialog (resource 145 of `resources`) modally over owner: 1 when
// the user chose "Desinstalar", 2 for "Cancelar" or the close box.
INT_PTR ConfirmUninstall(HINSTANCE resources, HWND owner);

// Destroys the windows of every live toolbar of the process, newest first, drops them from
// the live list and unregisters the library (which tells the user).
void UninstallToolbar();

}  // namespace marvella
