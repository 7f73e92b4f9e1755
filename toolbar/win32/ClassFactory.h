// The class factory of the toolbar's class and the lookup behind DllGetClassObject.
#pragma once

#include <windows.h>

namespace marvella {

// DllGetClassObject: a new factory for the toolbar's class, asked for iid; any other class
// is CLASS_E_CLASSNOTAVAILABLE. *out is null unless the result is a success.
HRESULT GetServerClassObject(REFCLSID clsid, REFIID iid, void** out);

}  // namespace marvella
