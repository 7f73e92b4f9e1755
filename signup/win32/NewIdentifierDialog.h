// NewIdentifierDialog (resource 134): the server reported the identifier as taken; the user
// picks one of its suggestions or types another.
#pragma once

#include <windows.h>

#include <string>

#include "signup/ItemList.h"
#include "signup/UserRecord.h"
#include "signup/win32/RetryDialog.h"

namespace marvella {

class NewIdentifierDialog : private RetryDialog<NewIdentifierDialog> {
 public:
  // `record.userid` is the taken identifier; on acceptance record.email is set.
  NewIdentifierDialog(const ItemList& suggestions, UserRecord& record)
      : suggestions_(suggestions), record_(record) {}

  // Runs modally over `owner`. Returns the chosen identifier, empty when cancelled.
  std::string Run(HWND owner);

 private:
  friend class RetryDialog<NewIdentifierDialog>;
  void OnInit(HWND dialog);
  void OnAccept(HWND dialog);
  bool OnCommand(HWND dialog, WORD id, WORD code);

  const ItemList& suggestions_;
  UserRecord& record_;
  std::string chosen_;
};

}  // namespace marvella
