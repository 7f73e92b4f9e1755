// One conversation with the service's user server over a line channel: connect, HELLO, the
// commands, QUIT, close. RegisterNewUser signs a new user up; FetchExistingUser reads back
// the data (and the account, if any) of a user who already has an identifier.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "signup/AccountRecord.h"
#include "signup/ItemList.h"
#include "signup/LineChannel.h"
#include "signup/ReplyReader.h"
#include "signup/RetryPrompt.h"
#include "signup/UserRecord.h"
#include "signup/WaitIndicator.h"

namespace marvella {

enum class SignUpResult : int {
  Failed = 0,         // no connection; a retry dialog cancelled; GETUSER not answered OK
  Accepted = 1,       // new user accepted and account read; or existing user's data read
  Refused = 2,        // USERINFO answered BUSY or unrecognised; or no account in the reply
  AccountExists = 7,  // GETUSER answered ALREADYACCOUNT: user and account data read
};

// The port as the server settings give it: the decimal number at the start of the text
// (0 when it does not start with one), cut to 16 bits.
uint16_t UserServerPort(std::string_view portText);

class UserServerSession {
 public:
  // `address` (dotted IPv4) and `port` (decimal text) come from the installer's settings.
  UserServerSession(LineChannel& channel, WaitIndicator& wait, std::string address,
                    std::string port, const ReplyTiming& timing = ReplyTiming());

  // Sends the user record and, while the server reports the identifier or alias as taken,
  // asks `prompt` for another one and sends again; on acceptance reads the account settings
  // into `account`. Updates user.userid, user.email (through the prompt) and user.alias on
  // the retry paths. `errorText` is emptied, or set to the connection-failure message, or
  // to the server's whole reply when it is not recognised. An account reply without a
  // "userid" or "pass" is Refused with its own error text, `account` untouched. A reply
  // that does not end whole (late, cut off or too long) closes the line and fails the
  // conversation with its own error text.
  SignUpResult RegisterNewUser(std::string& errorText, UserRecord& user, AccountRecord& account,
                               RetryPrompt& prompt);

  // Sends GETUSER with user.userid and user.password; fills the user fields from the reply,
  // and the account too when the server says the user already has one. An ALREADYACCOUNT
  // without "userid" or "pass" fails with the no-account text, both records untouched;
  // replies that do not end whole fail as for a sign-up.
  SignUpResult FetchExistingUser(std::string& errorText, UserRecord& user, AccountRecord& account);

 private:
  bool Open(std::string& errorText);
  // Receives a reply; false, with the line closed and the error text set, when it did not
  // end whole.
  bool ReceiveWhole(std::string& reply, std::string& errorText);
  static bool HasAccount(const ItemList& items);
  void SendLine(const std::string& line);

  LineChannel& channel_;
  WaitIndicator& wait_;
  std::string address_;
  std::string port_;
  ReplyTiming timing_;
  ReplyReader reader_;
};

}  // namespace marvella
