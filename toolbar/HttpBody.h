// How much of a response body the toolbar reads, and reading it whole. The length header is
// outside input, and one read of a connection may bring any part of the body: the size is
// bounded first, then reads go on until that size or the end of the data.
#pragma once

#include <cstddef>

namespace marvella {

// Room for a body sent without a length header; one that goes on past it fails.
constexpr std::size_t kBodyWithoutLength = 65000;
// The largest body a download takes, unless its client asks for less: a length header
// above the bound fails the download instead of being allocated.
constexpr std::size_t kLargestBody = 4 * 1024 * 1024;
// The bookmarks file: the shipped one has a few kilobytes, and every window reads it
// through the profile functions, key by key.
constexpr std::size_t kLargestBookmarksBody = 64 * 1024;

// The size to read for a download bounded at largest: the header's number when present
// (text of its value), else kBodyWithoutLength or largest, the smaller. False when the
// value is not a positive number or is above largest.
bool ExpectedBodySize(bool hasLengthHeader, const char* lengthText, std::size_t largest,
                      std::size_t* size);

// One read of the body: up to `size` bytes into buffer, *got of them read (0 at the end of
// the data). False on a failed read.
class BodySource {
 public:
  virtual ~BodySource() = default;
  virtual bool Read(char* buffer, std::size_t size, std::size_t* got) = 0;
};

// Reads into a new zero-filled buffer of `expected` bytes (free it with std::free) until it
// is full or the data ends. With exact set (there was a length header), a body that ends
// early was cut off on the way and fails; without it, a body with more data than the
// buffer holds fails: cut, it would pass for the whole of it.
bool ReadBody(BodySource& source, std::size_t expected, bool exact, char** bytes,
              std::size_t* size);

}  // namespace marvella
