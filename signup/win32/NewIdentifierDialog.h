// NewIdentifierDialog (resource 134): the server reported the identifier as taken; the user
// picks one of its suggestions or types another.
#pragma once

#include <windows.h>

#include <string>

#include "signup/ItemList.h"
#include "signup/UserRecord.h"

namespace marvella {

class NewIdentifierDialog {
 public:
  // `record.userid` is the taken identifier; on acceptance record.email is set.
  NewIdentifierDialog(const ItemList& suggestions, UserRecord& record)
      : suggestions_(suggestions), record_(record) {}

  // Runs modally over `owner`. Returns the chosen identifier, empty when cancelled.
  std::string Run(HWND owner);

 private:
  static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  void OnInit(HWND dialog);
  void OnAccept(HWND dialog);

  const ItemList& suggestions_;
  UserRecord& record_;
  std::string chosen_;
};

}  // namespace marvella
