// Window screenshots into the test run's screenshot folder.
#include "tests/win32/support/Screenshot.h"

#include <cstdlib>

namespace marvella::test {

std::string SaveWindowScreenshot(HWND window, const char* name) {
  std::string dir = WinePath(std::getenv("MARVELLA_SCREENSHOT_DIR"));
  if (dir.empty()) return std::string();
  CreateDirectoryA(dir.c_str(), nullptr);
  RECT r;
  if (!GetWindowRect(window, &r) || IsRectEmpty(&r)) return std::string();

  // Let the window finish painting before it is read from the screen.
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }

  std::string path = dir + "\\" + name + ".bmp";
  return marvella::simulators::SaveScreenBitmap(r, path.c_str()) ? path : std::string();
}

}  // namespace marvella::test
