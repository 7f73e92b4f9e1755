// Profile files from hostile bytes: every lookup and section list stays inside the caller's
// capacity and ends with its zero.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/ProfileReader.h"

using namespace marvella;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  size_t capacity = 1 + data[0] % 64;
  ProfileReader reader(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
  // Exactly the capacity, on the heap, so any overrun is seen.
  char* buffer = new char[capacity];
  const char* sections[] = {"UserServer", "Nodes", "", " a ", "[", "="};
  const char* keys[] = {"ProfileName", "City1", "", "=", ";", "a"};
  for (const char* s : sections) {
    for (const char* k : keys) {
      size_t n = reader.ReadString(s, k, "fallback  ", buffer, capacity);
      if (n >= capacity || std::strlen(buffer) != n) std::abort();
    }
  }
  size_t n = reader.ReadSectionNames(buffer, capacity);
  if (capacity >= 2 && (n > capacity - 2 || buffer[n] != '\0')) std::abort();
  delete[] buffer;
  return 0;
}
