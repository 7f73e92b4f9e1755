// The operator's texts shipped as raw resources of type "OURDATA" (code page 1252, CR LF).
#pragma once

#include <windows.h>

namespace marvella {

// Puts text resource `id` of type "OURDATA" from `module` into `window` as it is stored.
// A resource that cannot be found or loaded leaves the window empty.
void ShowTextResource(HMODULE module, int id, HWND window);

}  // namespace marvella
