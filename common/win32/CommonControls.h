// The common controls the wizard uses (the property sheet), from comctl32.dll in the system
// directory, bound at run time: the installer runs from the folder it was downloaded to,
// and comctl32 is no Known DLL, so an import would load a copy planted there.
#pragma once

#include <windows.h>
#include <prsht.h>

namespace marvella {

// InitCommonControls; false when the library or the entry point is missing.
bool InitSystemCommonControls();
// CreatePropertySheetPageA, DestroyPropertySheetPage and PropertySheetA; the failure value
// of each (null, FALSE, -1) when the library or the entry point is missing.
HPROPSHEETPAGE CreateSystemPropertySheetPage(const PROPSHEETPAGEA& page);
BOOL DestroySystemPropertySheetPage(HPROPSHEETPAGE page);
INT_PTR RunSystemPropertySheet(const PROPSHEETHEADERA& header);

}  // namespace marvella
