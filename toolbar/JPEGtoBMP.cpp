// JPEGtoBMP: libjpeg's decoder driven scanline by scanline into the BMP writer.
// A fatal decoder error must not end the browser: the error exit jumps back here. Only
// plain data lives in this function, so the jump skips no destructor.
#include "toolbar/JPEGtoBMP.h"

#include "toolbar/BmpWriter.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

namespace marvella {
namespace {

// Limit on the decoder's large buffers (the whole image, and the coefficients of progressive
// files): a hostile header may announce any size. Beyond it the decoder stops with a fatal
// error.
constexpr long kDecoderMemoryLimit = 128L * 1024 * 1024;

struct ErrorManager {
  jpeg_error_mgr standard;
  std::jmp_buf exit;
};

void ExitToCaller(j_common_ptr decoder) {
  ErrorManager* manager = reinterpret_cast<ErrorManager*>(decoder->err);
  std::longjmp(manager->exit, 1);
}

// Called by the decoder as it goes (each row of blocks while it reads a multi-scan file),
// and once the header is read: work beyond the bounds ends the conversion.
void CheckWork(j_common_ptr common) {
  j_decompress_ptr decoder = reinterpret_cast<j_decompress_ptr>(common);
  unsigned long long pixels =
      static_cast<unsigned long long>(decoder->image_width) * decoder->image_height;
  if (decoder->input_scan_number > kJpegMaxScans ||
      pixels > static_cast<unsigned long long>(kJpegMaxPixels))
    ExitToCaller(common);
}

// No trace and no message text goes anywhere: the browser has no console.
void Silent(j_common_ptr) {}

int NextByte(j_decompress_ptr decoder) {
  jpeg_source_mgr* source = decoder->src;
  if (source->bytes_in_buffer == 0 && !(*source->fill_input_buffer)(decoder)) return -1;
  source->bytes_in_buffer--;
  return *source->next_input_byte++;
}

// COM and APP12 markers: read the length, skip the rest.
boolean SkipMarker(j_decompress_ptr decoder) {
  int high = NextByte(decoder);
  int low = NextByte(decoder);
  if (high < 0 || low < 0) return FALSE;
  long length = (static_cast<long>(high) << 8) + low - 2;
  if (length > 0) (*decoder->src->skip_input_data)(decoder, length);
  return TRUE;
}

}  // namespace
}  // namespace marvella

using namespace marvella;

extern "C" int JPEGtoBMP(const char* jpegPath, const char* bmpPath) {
  jpeg_decompress_struct decoder;
  std::memset(&decoder, 0, sizeof decoder);  // a failed creation is destroyed from here
  ErrorManager errors;
  decoder.err = jpeg_std_error(&errors.standard);
  errors.standard.error_exit = ExitToCaller;
  errors.standard.output_message = Silent;
  errors.standard.addon_message_table = kBmpMessageTable;
  errors.standard.first_addon_message = kBmpFirstMessage;
  errors.standard.last_addon_message = kBmpLastMessage;
  // Creation itself can fail (no memory): it leaves through the error exit too.
  if (setjmp(errors.exit)) {
    jpeg_destroy_decompress(&decoder);
    return JPEGTOBMP_FAILED;
  }
  jpeg_create_decompress(&decoder);
  decoder.mem->max_memory_to_use = kDecoderMemoryLimit;
  jpeg_set_marker_processor(&decoder, JPEG_COM, SkipMarker);
  jpeg_set_marker_processor(&decoder, JPEG_APP0 + 12, SkipMarker);

  std::FILE* input = jpegPath ? std::fopen(jpegPath, "rb") : nullptr;
  if (!input) {
    jpeg_destroy_decompress(&decoder);
    return JPEGTOBMP_FAILED;
  }
  std::FILE* output = bmpPath ? std::fopen(bmpPath, "wb") : nullptr;
  if (!output) {
    std::fclose(input);
    jpeg_destroy_decompress(&decoder);
    return JPEGTOBMP_FAILED;
  }
  if (setjmp(errors.exit)) {
    jpeg_destroy_decompress(&decoder);
    std::fclose(input);
    std::fclose(output);
    return JPEGTOBMP_FAILED;
  }

  jpeg_progress_mgr progress;
  std::memset(&progress, 0, sizeof progress);
  progress.progress_monitor = CheckWork;
  decoder.progress = &progress;
  jpeg_stdio_src(&decoder, input);
  jpeg_read_header(&decoder, TRUE);
  CheckWork(reinterpret_cast<j_common_ptr>(&decoder));
  BmpWriter* writer = StartBmpWriter(&decoder, output);
  jpeg_start_decompress(&decoder);
  JSAMPARRAY row = BmpRowBuffer(writer);
  while (decoder.output_scanline < decoder.output_height) {
    jpeg_read_scanlines(&decoder, row, 1);
    PutBmpRow(&decoder, writer);
  }
  FinishBmpWriter(&decoder, writer);
  jpeg_finish_decompress(&decoder);
  bool warned = errors.standard.num_warnings != 0;
  jpeg_destroy_decompress(&decoder);
  std::fclose(input);
  std::fclose(output);
  return warned ? JPEGTOBMP_WARNINGS : JPEGTOBMP_OK;
}
