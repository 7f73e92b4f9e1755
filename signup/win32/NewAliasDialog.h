// NewAliasDialog (resource 145): the server reported the alias as taken; the user types
// another one.
#pragma once

#include <windows.h>

#include <string>

#include "signup/win32/RetryDialog.h"

namespace marvella {

class NewAliasDialog : private RetryDialog<NewAliasDialog> {
 public:
  // Runs modally over `owner`. Returns the new alias, empty when cancelled.
  std::string Run(HWND owner);

 private:
  friend class RetryDialog<NewAliasDialog>;
  void OnInit(HWND dialog);
  void OnAccept(HWND dialog);
  bool OnCommand(HWND, WORD, WORD) { return false; }

  std::string alias_;
};

}  // namespace marvella
