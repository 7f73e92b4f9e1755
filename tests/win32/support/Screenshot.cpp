// Window capture with GDI into a 24-bit BMP.
#include "tests/win32/support/Screenshot.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace marvella::test {

std::string WinePath(const char* unixPath) {
  if (!unixPath || !*unixPath) return std::string();
  std::string p = unixPath;
  if (p[0] == '/') p = "Z:" + p;  // Wine maps the host root to drive Z:
  for (char& c : p)
    if (c == '/') c = '\\';
  return p;
}

std::string SaveWindowScreenshot(HWND window, const char* name) {
  std::string dir = WinePath(std::getenv("MARVELLA_SCREENSHOT_DIR"));
  if (dir.empty()) return std::string();
  CreateDirectoryA(dir.c_str(), nullptr);
  RECT r;
  if (!GetWindowRect(window, &r)) return std::string();
  int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return std::string();

  // Let the window finish painting before it is read from the screen.
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }

  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  SelectObject(mem, old);

  BITMAPINFOHEADER bi = {};
  bi.biSize = sizeof bi;
  bi.biWidth = w;
  bi.biHeight = h;
  bi.biPlanes = 1;
  bi.biBitCount = 24;
  bi.biCompression = BI_RGB;
  int stride = (w * 3 + 3) & ~3;
  std::vector<unsigned char> pixels(static_cast<size_t>(stride) * h);
  GetDIBits(mem, bmp, 0, h, pixels.data(), reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);

  BITMAPFILEHEADER bf = {};
  bf.bfType = 0x4D42;
  bf.bfOffBits = sizeof bf + sizeof bi;
  bf.bfSize = bf.bfOffBits + static_cast<DWORD>(pixels.size());
  std::string path = dir + "\\" + name + ".bmp";
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return std::string();
  std::fwrite(&bf, sizeof bf, 1, f);
  std::fwrite(&bi, sizeof bi, 1, f);
  std::fwrite(pixels.data(), 1, pixels.size(), f);
  std::fclose(f);
  return path;
}

}  // namespace marvella::test
