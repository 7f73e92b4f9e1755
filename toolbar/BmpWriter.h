// The BMP writer behind JPEGtoBMP: takes the decoder's scanlines, keeps the whole image in
// the decoder's own memory (BMP rows run bottom-up) and writes the file when decoding ends.
// Everything it allocates comes from the decoder's per-image pool and goes with it.
// Its errors leave through the decoder's error exit, like the decoder's own.
#pragma once

#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

namespace marvella {

// Codes of the add-on message table that JPEGtoBMP installs in the error manager.
enum BmpMessageCode {
  kBmpFirstMessage = 1000,
  kBmpErrorColorSpace = kBmpFirstMessage,  // "BMP output must be grayscale or RGB"
  kBmpErrorWrite,                          // the file could not be written whole
  kBmpErrorTooLarge,                       // the file would pass 4 GB
  kBmpLastMessage = kBmpErrorTooLarge,
};
extern const char* const kBmpMessageTable[];

struct BmpWriter;

// After the header is read: chooses the row step by the output colour space, computes the
// output dimensions and row widths, and asks for the whole-image and row buffers.
BmpWriter* StartBmpWriter(j_decompress_ptr decoder, std::FILE* output);
// The buffer the decoder fills with one scanline.
JSAMPARRAY BmpRowBuffer(BmpWriter* writer);
// Stores the scanline in the row buffer as the next image row.
void PutBmpRow(j_decompress_ptr decoder, BmpWriter* writer);
// Writes headers, palette and rows, last image row first, then flushes.
void FinishBmpWriter(j_decompress_ptr decoder, BmpWriter* writer);

// The 14-byte file header and 40-byte info header of a BMP of the given shape.
constexpr std::size_t kBmpHeadersSize = 54;
void ComposeBmpHeaders(unsigned char (&headers)[kBmpHeadersSize], unsigned width, unsigned height,
                       bool grey, unsigned rowWidth, int densityUnit, unsigned xDensity,
                       unsigned yDensity);

}  // namespace marvella
