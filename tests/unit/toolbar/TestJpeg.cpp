// JPEG files made with libjpeg's encoder for the conversion tests.
#include "tests/unit/toolbar/TestJpeg.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include <jpeglib.h>

namespace marvella {
namespace testing {

std::vector<unsigned char> MakeJpeg(const JpegShape& shape) {
  jpeg_compress_struct c;
  jpeg_error_mgr errors;
  c.err = jpeg_std_error(&errors);
  jpeg_create_compress(&c);
  unsigned char* out = nullptr;
  unsigned long outSize = 0;
  jpeg_mem_dest(&c, &out, &outSize);
  c.image_width = static_cast<JDIMENSION>(shape.width);
  c.image_height = static_cast<JDIMENSION>(shape.height);
  c.input_components = shape.components;
  c.in_color_space = shape.components == 1   ? JCS_GRAYSCALE
                     : shape.components == 4 ? JCS_CMYK
                                             : JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, shape.quality, TRUE);
  std::vector<jpeg_scan_info> script(static_cast<std::size_t>(shape.scans > 0 ? shape.scans : 0));
  if (shape.progressive && shape.scans > 0) {
    jpeg_simple_progression(&c);
    script[0] = jpeg_scan_info{shape.components, {0, 1, 2, 3}, 0, 0, 0, 0};
    for (int i = 1; i < shape.scans; ++i) {
      int k = (i - 1) / shape.components + 1;  // coefficient 1 to 63
      script[static_cast<std::size_t>(i)] =
          jpeg_scan_info{1, {(i - 1) % shape.components}, k, k, 0, 0};
    }
    c.scan_info = script.data();
    c.num_scans = shape.scans;
  } else if (shape.progressive) {
    jpeg_simple_progression(&c);
  }
  c.density_unit = static_cast<UINT8>(shape.densityUnit);
  c.X_density = static_cast<UINT16>(shape.xDensity);
  c.Y_density = static_cast<UINT16>(shape.yDensity);
  jpeg_start_compress(&c, TRUE);
  if (shape.markers) {
    const char comment[] = "made for a test";
    jpeg_write_marker(&c, JPEG_COM, reinterpret_cast<const JOCTET*>(comment), sizeof comment - 1);
    const char app12[] = "Ducky\0\1\2\3";
    jpeg_write_marker(&c, JPEG_APP0 + 12, reinterpret_cast<const JOCTET*>(app12), sizeof app12);
  }
  std::vector<unsigned char> row(static_cast<std::size_t>(shape.width * shape.components));
  unsigned state = shape.seed * 2654435761u + 1;
  while (c.next_scanline < c.image_height) {
    int y = static_cast<int>(c.next_scanline);
    if (shape.redOverBlue) {
      bool top = y < shape.height / 2;
      for (int x = 0; x < shape.width; ++x) {
        row[static_cast<std::size_t>(3 * x)] = top ? 255 : 0;
        row[static_cast<std::size_t>(3 * x + 1)] = 0;
        row[static_cast<std::size_t>(3 * x + 2)] = top ? 0 : 255;
      }
    }
    for (int x = 0; x < shape.width && !shape.redOverBlue; ++x)
      for (int k = 0; k < shape.components; ++k) {
        state = state * 1103515245u + 12345u;
        int smooth = (x * 255 / (shape.width > 1 ? shape.width - 1 : 1) + y * 3 + k * 70) & 255;
        row[static_cast<std::size_t>(x * shape.components + k)] =
            static_cast<unsigned char>((smooth + static_cast<int>((state >> 24) & 31)) & 255);
      }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&c, rows, 1);
  }
  jpeg_finish_compress(&c);
  std::vector<unsigned char> bytes(out, out + outSize);
  jpeg_destroy_compress(&c);
  std::free(out);
  return bytes;
}

std::vector<unsigned char> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in),
                                    std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

std::string ScratchDirectory(const std::string& name) {
  // Trees and programs may run side by side: a random part keeps them apart.
  static const unsigned run = std::random_device()();
  std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("marvella-" + name + "-" + std::to_string(run));
  std::error_code ignored;
  std::filesystem::remove_all(dir, ignored);
  std::filesystem::create_directories(dir);
  return dir.string() + "/";
}

}  // namespace testing
}  // namespace marvella
