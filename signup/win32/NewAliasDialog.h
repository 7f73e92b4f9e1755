// NewAliasDialog (resource 145): the server reported the alias as taken; the user types
// another one.
#pragma once

#include <windows.h>

#include <string>

namespace marvella {

class NewAliasDialog {
 public:
  // Runs modally over `owner`. Returns the new alias, empty when cancelled.
  std::string Run(HWND owner);

 private:
  static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  void OnAccept(HWND dialog);

  std::string alias_;
};

}  // namespace marvella
