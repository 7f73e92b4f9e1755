// The seam between the COM server and the toolbar object: the class factory creates the
// object through this one function and knows nothing else of it.
#pragma once

#include <windows.h>

namespace marvella {

// Creates the browser's toolbar object and answers `iid` from it.
// *out is null on entry. E_OUTOFMEMORY when the object cannot be made; otherwise the
// object's own QueryInterface result (the creation reference is dropped, so a failed
// query leaves nothing alive). The object holds a unit of the object count and stands in
// the live toolbar list for as long as it exists (ServerState.h).
HRESULT CreateBandObject(REFIID iid, void** out);

}  // namespace marvella
