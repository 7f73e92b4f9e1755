// Stand-in DLLs that play a library lacking some entry points hide their own exports when
// they load: a DLL's exports are fixed when it is linked.
#pragma once

#include <windows.h>

namespace marvella::simulators {

// Renames the export `name` in the module's own export table, so GetProcAddress no longer
// finds it. Only the case of the last letter changes: the name table stays sorted for
// lookups. Nothing happens when the module has no such export.
void HideExport(HMODULE module, const char* name);

}  // namespace marvella::simulators
