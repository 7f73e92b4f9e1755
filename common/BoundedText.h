// Bounded copies into the fixed text buffers of the system (255/256, 260, 1024 bytes...).
// Outside input may be longer than any buffer: it is cut, never written past the end.
#pragma once

#include <cstdarg>
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

// Formats into dst within capacity, as snprintf does, and always terminates it (a capacity
// of 0 writes nothing). Returns true when the whole text fitted. Windows builds format with
// the C runtime's own routine: MinGW's standard one brings some 20 KB of floating-point
// formatting into every binary, and nothing here formats a number with a fraction.
bool FormatBounded(char* dst, std::size_t capacity, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
bool FormatBoundedArgs(char* dst, std::size_t capacity, const char* format, std::va_list args)
    __attribute__((format(printf, 3, 0)));

template <std::size_t N>
bool CopyBounded(char (&dst)[N], const char* src) {
  return CopyBounded(dst, N, src);
}

template <std::size_t N>
bool AppendBounded(char (&dst)[N], const char* src) {
  return AppendBounded(dst, N, src);
}

}  // namespace marvella
