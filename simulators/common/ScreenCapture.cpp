// Screen capture with GDI into a 24-bit BMP.
#include "simulators/common/ScreenCapture.h"

#include <cstdio>
#include <vector>

namespace marvella::simulators {

bool SaveScreenBitmap(const RECT& area, const char* path) {
  int w = area.right - area.left, h = area.bottom - area.top;
  if (w <= 0 || h <= 0) return false;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, w, h, screen, area.left, area.top, SRCCOPY);
  SelectObject(mem, old);

  BITMAPINFOHEADER bi = {};
  bi.biSize = sizeof bi;
  bi.biWidth = w;
  bi.biHeight = h;
  bi.biPlanes = 1;
  bi.biBitCount = 24;
  bi.biCompression = BI_RGB;
  int stride = (w * 3 + 3) & ~3;
  std::vector<unsigned char> pixels(size_t(stride) * size_t(h));
  GetDIBits(mem, bmp, 0, UINT(h), pixels.data(), reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);

  BITMAPFILEHEADER bf = {};
  bf.bfType = 0x4D42;  // "BM"
  bf.bfOffBits = sizeof bf + sizeof bi;
  bf.bfSize = bf.bfOffBits + DWORD(pixels.size());
  FILE* f = std::fopen(path, "wb");
  if (!f) return false;
  std::fwrite(&bf, sizeof bf, 1, f);
  std::fwrite(&bi, sizeof bi, 1, f);
  std::fwrite(pixels.data(), 1, pixels.size(), f);
  std::fclose(f);
  return true;
}

std::string WinePath(const char* unixPath) {
  if (!unixPath || !*unixPath) return std::string();
  std::string p = unixPath;
  if (p[0] == '/') p = "Z:" + p;
  for (char& c : p)
    if (c == '/') c = '\\';
  return p;
}

}  // namespace marvella::simulators
