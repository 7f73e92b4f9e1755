// What the user server's reply words mean: the first matching word decides, compared byte
// for byte over the word's length at the start of the reply.
#pragma once

#include <string>
#include <string_view>

namespace marvella {

enum class UserInfoReply : unsigned char {
  kAccepted,         // "OK" (so also "OK-LATER")
  kBusy,             // "BUSY"
  kIdentifierTaken,  // "ALREADYREG"
  kAliasTaken,       // "ALREADYALIAS"
  kOther,            // anything else, the empty reply included
};

enum class GetUserReply : unsigned char {
  kUserData,       // "OK"
  kAccountExists,  // "ALREADYACCOUNT"
  kOther,
};

// Empties `errorText`, then classifies a reply to USERINFO; for kOther the whole reply
// becomes the error text.
UserInfoReply ClassifyUserInfoReply(std::string_view reply, std::string& errorText);

// Classifies a reply to GETUSER; for kOther the whole reply becomes the error text.
GetUserReply ClassifyGetUserReply(std::string_view reply, std::string& errorText);

// The text after a reply word and its one separator character; empty when the reply ends
// before that.
std::string_view TextAfterWord(std::string_view reply, std::string_view word);

}  // namespace marvella
