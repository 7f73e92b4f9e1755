// Progress lines and message pumping.
#include "installer/win32/ProgressBox.h"

#include <string>
#include <vector>

namespace marvella {

void AppendProgressLine(const char* text, HWND box) {
  std::string line = std::string(text ? text : "") + "\r\n";
  char cls[16] = {};
  GetClassNameA(box, cls, sizeof cls);
  if (lstrcmpiA(cls, "Edit") == 0) {
    // Replacing the empty selection at the end appends and keeps the new line in view.
    int end = GetWindowTextLengthA(box);
    SendMessageA(box, EM_SETSEL, static_cast<WPARAM>(end), static_cast<LPARAM>(end));
    SendMessageA(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(line.c_str()));
  } else {
    int length = GetWindowTextLengthA(box);
    std::vector<char> current(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    GetWindowTextA(box, current.data(), static_cast<int>(current.size()));
    current.back() = '\0';
    SetWindowTextA(box, (std::string(current.data()) + line).c_str());
  }
  PumpMessages();
}

bool PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) return true;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return false;
}

}  // namespace marvella
