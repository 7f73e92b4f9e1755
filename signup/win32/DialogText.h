// The text of a dialog control, whatever its length.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace marvella {

inline std::string DialogItemText(HWND dialog, int id) {
  HWND item = GetDlgItem(dialog, id);
  int length = item ? GetWindowTextLengthA(item) : 0;
  std::vector<char> text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
  if (item) GetWindowTextA(item, text.data(), static_cast<int>(text.size()));
  text.back() = '\0';
  return std::string(text.data());
}

}  // namespace marvella
