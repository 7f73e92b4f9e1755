// Bounded copies into the fixed text buffers of the system (255/256, 260, 1024 bytes...).
// Outside input may be longer than any buffer: it is cut, never written past the end.
#pragma once

#include <cstddef>

namespace marvella {

// Copies at most capacity-1 bytes of src (which needs no terminating zero beyond
// srcLength) into dst and terminates it. Returns true when the whole text fitted.
// A capacity of 0 writes nothing and reports a cut when src is not empty.
bool CopyBounded(char* dst, std::size_t capacity, const char* src, std::size_t srcLength);

// Same, for a zero-terminated src.
bool CopyBounded(char* dst, std::size_t capacity, const char* src);

// Appends src to the zero-terminated text in dst, within capacity. Returns true when the
// whole of src fitted. dst must already be terminated inside capacity.
bool AppendBounded(char* dst, std::size_t capacity, const char* src);

template <std::size_t N>
bool CopyBounded(char (&dst)[N], const char* src) {
  return CopyBounded(dst, N, src);
}

template <std::size_t N>
bool AppendBounded(char (&dst)[N], const char* src) {
  return AppendBounded(dst, N, src);
}

}  // namespace marvella
