// Loading an "OURDATA" text: resources carry no terminating zero, so the text is copied
// with exactly its resource size into a terminated buffer.
#include "installer/win32/TextResource.h"

#include <cstring>
#include <vector>

namespace marvella {

void ShowTextResource(HMODULE module, int id, HWND window) {
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), "OURDATA");
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  DWORD size = bytes ? SizeofResource(module, found) : 0;
  if (!bytes || size == 0) {
    SetWindowTextA(window, "");
    return;
  }
  std::vector<char> text(static_cast<size_t>(size) + 1, '\0');
  std::memcpy(text.data(), bytes, size);
  SetWindowTextA(window, text.data());
}

}  // namespace marvella
