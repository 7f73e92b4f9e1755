// Reply words of the user server.
#include "signup/ReplyClassification.h"

namespace marvella {
namespace {

bool StartsWith(std::string_view reply, std::string_view word) {
  return reply.substr(0, word.size()) == word;
}

}  // namespace

UserInfoReply ClassifyUserInfoReply(std::string_view reply, std::string& errorText) {
  errorText.clear();
  if (StartsWith(reply, "OK")) return UserInfoReply::kAccepted;
  if (StartsWith(reply, "BUSY")) return UserInfoReply::kBusy;
  if (StartsWith(reply, "ALREADYREG")) return UserInfoReply::kIdentifierTaken;
  if (StartsWith(reply, "ALREADYALIAS")) return UserInfoReply::kAliasTaken;
  errorText.assign(reply);
  return UserInfoReply::kOther;
}

GetUserReply ClassifyGetUserReply(std::string_view reply, std::string& errorText) {
  if (StartsWith(reply, "OK")) return GetUserReply::kUserData;
  if (StartsWith(reply, "ALREADYACCOUNT")) return GetUserReply::kAccountExists;
  errorText.assign(reply);
  return GetUserReply::kOther;
}

std::string_view TextAfterWord(std::string_view reply, std::string_view word) {
  size_t skip = word.size() + 1;
  return skip < reply.size() ? reply.substr(skip) : std::string_view();
}

}  // namespace marvella
