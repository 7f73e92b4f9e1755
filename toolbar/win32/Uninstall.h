// The tools menu's "Desinstalar": the confirmation dialog and the uninstall itself.
#pragma once

#include <windows.h>

namespace marvella {

// Shows the confirmation dialog (resource 145 of `resources`) modally over owner: 1 when
// the user chose "Desinstalar", 2 for "Cancelar" or the close box.
INT_PTR ConfirmUninstall(HINSTANCE resources, HWND owner);

// Unregisters the library; once that has succeeded, takes down every live toolbar of the
// process (DestroyAllToolbars: this thread's now, the others' from their own threads).
// Tells the user either way (a modal box: the caller holds its toolbar). The result of
// the unregistration.
HRESULT UninstallToolbar();

}  // namespace marvella
