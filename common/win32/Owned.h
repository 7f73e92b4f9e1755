// One owner for every handle the kit closes: the handle travels with its close function, so
// each way out of a scope closes it exactly once. Moves hand the handle on and leave the
// source empty; copies do not exist. Inline throughout: it compiles to the same call a
// hand-written close would make.
#pragma once

#include <windows.h>

#include <cstdint>

namespace marvella {

// `kEmpty` is the value that owns nothing: null for most handles, all ones for the files
// CreateFile answers with INVALID_HANDLE_VALUE.
template <typename H, auto Close, std::uintptr_t kEmpty = 0>
class Owned {
 public:
  Owned() noexcept = default;
  explicit Owned(H handle) noexcept : handle_(handle) {}
  ~Owned() { Reset(); }

  Owned(Owned&& other) noexcept : handle_(other.Release()) {}
  Owned& operator=(Owned&& other) noexcept {
    Reset(other.Release());  // released first, so moving onto itself closes nothing
    return *this;
  }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;

  H Get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != Empty(); }

  // Closes what is owned (once) and takes `handle` instead.
  void Reset(H handle = Empty()) noexcept {
    H old = handle_;
    handle_ = handle;
    if (old != Empty()) Close(old);
  }
  // Gives the handle up unclosed; the caller owns it now.
  H Release() noexcept {
    H handle = handle_;
    handle_ = Empty();
    return handle;
  }

  static H Empty() noexcept { return reinterpret_cast<H>(kEmpty); }

 private:
  H handle_ = Empty();
};

using OwnedHandle = Owned<HANDLE, &CloseHandle>;  // threads, processes, events, mappings
using OwnedFile = Owned<HANDLE, &CloseHandle, ~std::uintptr_t{0}>;  // from CreateFile
using OwnedKey = Owned<HKEY, &RegCloseKey>;
using OwnedModule = Owned<HMODULE, &FreeLibrary>;
using OwnedWindow = Owned<HWND, &DestroyWindow>;
using OwnedMenu = Owned<HMENU, &DestroyMenu>;
using OwnedHook = Owned<HHOOK, &UnhookWindowsHookEx>;
using OwnedView = Owned<const void*, &UnmapViewOfFile>;  // from MapViewOfFile
template <typename H>
using OwnedGdi = Owned<H, &DeleteObject>;  // fonts, bitmaps, brushes

}  // namespace marvella
