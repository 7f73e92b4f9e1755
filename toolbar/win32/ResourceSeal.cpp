// The resource digest and the seal that the build writes after linking.
#include "toolbar/win32/ResourceSeal.h"

#include "toolbar/ToolbarTexts.h"

namespace marvella {

namespace {

// The marker is what scripts/seal-resources looks for; the 8 bytes after it are the
// digest, little-endian, zero until the build seals the library. volatile: the compiler
// must read the bytes the file holds, not the zeros it wrote.
struct Seal {
  char marker[24];
  unsigned char digest[8];
};
extern "C" volatile const Seal marvella_resource_seal = {"MARVELLA RESOURCE SEAL:", {0}};

constexpr std::uint64_t kOffset = 0xcbf29ce484222325ull;
constexpr std::uint64_t kPrime = 0x100000001b3ull;

void Mix(std::uint64_t* h, const unsigned char* bytes, DWORD size) {
  for (DWORD i = 0; i < size; ++i) {
    *h ^= bytes[i];
    *h *= kPrime;
  }
}

void MixNumber(std::uint64_t* h, DWORD n) {
  unsigned char bytes[4] = {static_cast<unsigned char>(n), static_cast<unsigned char>(n >> 8),
                            static_cast<unsigned char>(n >> 16), static_cast<unsigned char>(n >> 24)};
  Mix(h, bytes, 4);
}

// Mixes one resource in: its size, then its bytes. False when it cannot be read.
bool MixResource(HMODULE module, const char* name, const char* type, std::uint64_t* h) {
  HRSRC found = FindResourceA(module, name, type);
  if (!found) return false;
  DWORD size = SizeofResource(module, found);
  HGLOBAL loaded = LoadResource(module, found);
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) return false;
  MixNumber(h, size);
  Mix(h, static_cast<const unsigned char*>(bytes), size);
  return true;
}

struct Walk {
  std::uint64_t h;
  bool ok;
};

// The blocks come in the order of the resource directory, which is ascending.
BOOL CALLBACK MixStringBlock(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR state) {
  Walk* walk = reinterpret_cast<Walk*>(state);
  if (!IS_INTRESOURCE(name)) {  // string blocks are numbered; anything else is foreign
    walk->ok = false;
    return FALSE;
  }
  MixNumber(&walk->h, static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(name)));
  if (!MixResource(module, name, type, &walk->h)) walk->ok = false;
  return walk->ok ? TRUE : FALSE;
}

}  // namespace

bool DigestResources(HMODULE module, std::uint64_t* digest) {
  Walk walk = {kOffset, true};
  if (!EnumResourceNamesA(module, MAKEINTRESOURCEA(6) /* RT_STRING */, MixStringBlock,
                          reinterpret_cast<LONG_PTR>(&walk)))
    return false;
  if (!walk.ok) return false;
  if (!MixResource(module, MAKEINTRESOURCEA(IDR_DEFAULT_BOOKMARKS), "FILE", &walk.h)) return false;
  *digest = walk.h;
  return true;
}

bool ResourcesIntact(HMODULE module) {
  std::uint64_t sealed = 0;
  for (int i = 7; i >= 0; --i) sealed = (sealed << 8) | marvella_resource_seal.digest[i];
  if (sealed == 0) return false;
  std::uint64_t digest;
  return DigestResources(module, &digest) && digest == sealed;
}

}  // namespace marvella
