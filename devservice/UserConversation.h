// One conversation with the user server, as protocol logic without sockets: each command
// line in, the reply text out. HELLO, USERINFO, ACCOUNTINFO, GETUSER and QUIT, with the
// reply words and item lists the kit's sign-up client reads.
#pragma once

#include <string>
#include <string_view>

#include "devservice/Faults.h"
#include "devservice/Store.h"

namespace devservice {

// What a new access account is made of; the web base is where personal pages live
// ("http://127.0.0.1:8080").
struct AccountDefaults {
  std::string mailDomain = "marvella.es";
  std::string accessNumber = "908000000";
  std::string dns1 = "192.0.2.53";
  std::string dns2 = "192.0.2.54";
  std::string smtp = "smtp.marvella.es";
  std::string webBase = "http://127.0.0.1:8080";
};

struct Reply {
  std::string text;       // the reply line, CR LF included; empty when none is due
  bool close = false;     // end the conversation after sending it
  const char* word = "";  // short outcome for the log ("OK", "ALREADYREG", "ERROR"...)
};

class UserConversation {
 public:
  UserConversation(Store& store, const AccountDefaults& defaults);

  // Answers one command line (CR LF already removed). `fault` is the rule that applies to
  // this reply; only the content faults (busy, oklater) are acted on here.
  Reply Handle(std::string_view line, const Fault& fault);

  // "HELLO USERINFO:ALREADYREG USERINFO:OK ACCOUNTINFO QUIT", for the log line.
  const std::string& Summary() const { return summary_; }
  // The identifier last accepted or looked up, for the log line.
  const std::string& Userid() const { return userid_; }

 private:
  Reply UserInfo(std::string_view args, const Fault& fault);
  Reply AccountInfo();
  Reply GetUser(std::string_view args);
  void Note(std::string_view command, const char* word);

  Store& store_;
  const AccountDefaults& defaults_;
  std::string accepted_;  // identifier accepted by USERINFO in this conversation
  std::string userid_;
  std::string summary_;
};

// Builds a new access account for the identifier.
AccountData MakeAccount(const AccountDefaults& defaults, const std::string& userid);

// The reply texts that carry no data (code page 1252).
extern const char kReplyUnknownCommand[];
extern const char kReplyBadBytes[];

}  // namespace devservice
