// The BMP writer behind JPEGtoBMP. Called from inside the decoder: no C++ object with a
// destructor lives here, since a fatal error leaves by longjmp.
#include "toolbar/BmpWriter.h"

namespace marvella {

const char* const kBmpMessageTable[] = {
    "BMP output must be grayscale or RGB",
    "Output file write error --- out of disk space?",
    "Image too large for a BMP file",
    nullptr,
};

struct BmpWriter {
  std::FILE* output;
  bool grey;
  JDIMENSION dataWidth;  // pixel bytes of a row
  JDIMENSION rowWidth;   // dataWidth rounded up to a multiple of 4
  JDIMENSION padBytes;
  jvirt_sarray_ptr wholeImage;
  JDIMENSION currentRow;
  JSAMPARRAY rowBuffer;
};

namespace {

void Put2(unsigned char* at, unsigned value) {
  at[0] = static_cast<unsigned char>(value);
  at[1] = static_cast<unsigned char>(value >> 8);
}

void Put4(unsigned char* at, unsigned long value) {
  at[0] = static_cast<unsigned char>(value);
  at[1] = static_cast<unsigned char>(value >> 8);
  at[2] = static_cast<unsigned char>(value >> 16);
  at[3] = static_cast<unsigned char>(value >> 24);
}

void Fail(j_decompress_ptr decoder, int code) {
  decoder->err->msg_code = code;
  (*decoder->err->error_exit)(reinterpret_cast<j_common_ptr>(decoder));
}

void Write(j_decompress_ptr decoder, BmpWriter* writer, const void* bytes, std::size_t size) {
  if (std::fwrite(bytes, 1, size, writer->output) != size) Fail(decoder, kBmpErrorWrite);
}

}  // namespace

void ComposeBmpHeaders(unsigned char (&headers)[kBmpHeadersSize], unsigned width, unsigned height,
                       bool grey, unsigned rowWidth, int densityUnit, unsigned xDensity,
                       unsigned yDensity) {
  unsigned paletteEntries = grey ? 256 : 0;
  unsigned long headerSize = 14 + 40 + 4UL * paletteEntries;
  unsigned long fileSize = headerSize + static_cast<unsigned long>(rowWidth) * height;
  for (unsigned char& b : headers) b = 0;
  headers[0] = 'B';
  headers[1] = 'M';
  Put4(headers + 2, fileSize);
  Put4(headers + 10, headerSize);
  unsigned char* info = headers + 14;
  Put4(info + 0, 40);
  Put4(info + 4, width);
  Put4(info + 8, height);
  Put2(info + 12, 1);
  Put2(info + 14, grey ? 8 : 24);
  if (densityUnit == 2) {  // dots per centimetre: pixels per metre
    Put4(info + 24, static_cast<unsigned long>(xDensity) * 100);
    Put4(info + 28, static_cast<unsigned long>(yDensity) * 100);
  }
  Put4(info + 32, paletteEntries);
}

BmpWriter* StartBmpWriter(j_decompress_ptr decoder, std::FILE* output) {
  j_common_ptr common = reinterpret_cast<j_common_ptr>(decoder);
  BmpWriter* writer =
      static_cast<BmpWriter*>((*decoder->mem->alloc_small)(common, JPOOL_IMAGE, sizeof(BmpWriter)));
  writer->output = output;
  if (decoder->out_color_space == JCS_GRAYSCALE)
    writer->grey = true;
  else if (decoder->out_color_space == JCS_RGB)
    writer->grey = false;
  else
    Fail(decoder, kBmpErrorColorSpace);

  jpeg_calc_output_dimensions(decoder);
  unsigned long long dataWidth =
      static_cast<unsigned long long>(decoder->output_width) * decoder->output_components;
  unsigned long long rowWidth = (dataWidth + 3) & ~3ULL;
  if (1078 + rowWidth * decoder->output_height > 0xFFFFFFFFULL) Fail(decoder, kBmpErrorTooLarge);
  writer->dataWidth = static_cast<JDIMENSION>(dataWidth);
  writer->rowWidth = static_cast<JDIMENSION>(rowWidth);
  writer->padBytes = writer->rowWidth - writer->dataWidth;
  writer->wholeImage = (*decoder->mem->request_virt_sarray)(
      common, JPOOL_IMAGE, FALSE, writer->rowWidth, decoder->output_height, 1);
  writer->currentRow = 0;
  writer->rowBuffer = (*decoder->mem->alloc_sarray)(common, JPOOL_IMAGE, writer->rowWidth, 1);
  return writer;
}

JSAMPARRAY BmpRowBuffer(BmpWriter* writer) { return writer->rowBuffer; }

void PutBmpRow(j_decompress_ptr decoder, BmpWriter* writer) {
  JSAMPARRAY rows = (*decoder->mem->access_virt_sarray)(
      reinterpret_cast<j_common_ptr>(decoder), writer->wholeImage, writer->currentRow, 1, TRUE);
  writer->currentRow++;
  JSAMPROW in = writer->rowBuffer[0];
  JSAMPROW out = rows[0];
  if (writer->grey) {
    for (JDIMENSION i = 0; i < writer->dataWidth; ++i) out[i] = in[i];
    out += writer->dataWidth;
  } else {
    for (JDIMENSION x = decoder->output_width; x > 0; --x) {
      out[0] = in[2];  // blue, green, red
      out[1] = in[1];
      out[2] = in[0];
      in += 3;
      out += 3;
    }
  }
  for (JDIMENSION i = 0; i < writer->padBytes; ++i) *out++ = 0;
}

void FinishBmpWriter(j_decompress_ptr decoder, BmpWriter* writer) {
  unsigned char headers[kBmpHeadersSize];
  ComposeBmpHeaders(headers, decoder->output_width, decoder->output_height, writer->grey,
                    writer->rowWidth, decoder->density_unit, decoder->X_density,
                    decoder->Y_density);
  Write(decoder, writer, headers, sizeof headers);
  if (writer->grey) {
    unsigned char palette[256 * 4];
    for (unsigned i = 0; i < 256; ++i) {
      palette[4 * i] = palette[4 * i + 1] = palette[4 * i + 2] = static_cast<unsigned char>(i);
      palette[4 * i + 3] = 0;
    }
    Write(decoder, writer, palette, sizeof palette);
  }
  j_common_ptr common = reinterpret_cast<j_common_ptr>(decoder);
  for (JDIMENSION row = decoder->output_height; row > 0; --row) {
    JSAMPARRAY rows =
        (*decoder->mem->access_virt_sarray)(common, writer->wholeImage, row - 1, 1, FALSE);
    Write(decoder, writer, rows[0], writer->rowWidth);
  }
  if (std::fflush(writer->output) != 0 || std::ferror(writer->output))
    Fail(decoder, kBmpErrorWrite);
}

}  // namespace marvella
