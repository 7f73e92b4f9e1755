// Loading a system library by its full path in the system directory, never by bare name:
// a copy of the same name planted in the current directory or beside the program (or a
// downloaded page) must not run in our process.
#pragma once

#include <windows.h>

#include <atomic>

namespace marvella {

// LoadLibrary of "<system directory>\<fileName>"; null when it cannot be loaded or the
// path would not fit.
HMODULE LoadSystemLibrary(const char* fileName);

// The module held in `slot`, loaded by LoadSystemLibrary on first use (a failed load is
// retried by the next call) and never freed. Safe from several threads.
HMODULE SharedSystemLibrary(std::atomic<HMODULE>& slot, const char* fileName);

// An entry point of `module` typed as the system's header declares it (decltype(&::name));
// null when the module or the entry point is missing.
template <typename Fn>
Fn SystemEntry(HMODULE module, const char* name) {
  if (!module) return nullptr;
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace marvella
