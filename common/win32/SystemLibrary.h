// Loading a system library by its full path in the system directory, never by bare name:
// a copy of the same name planted in the current directory or beside the program (or a
// downloaded page) must not run in our process.
#pragma once

#include <windows.h>

namespace marvella {

// LoadLibrary of "<system directory>\<fileName>"; null when it cannot be loaded or the
// path would not fit.
HMODULE LoadSystemLibrary(const char* fileName);

}  // namespace marvella
