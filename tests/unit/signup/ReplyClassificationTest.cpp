// Reply words and the text after them, at the edges of the reply.
#include "signup/ReplyClassification.h"

#include <gtest/gtest.h>

namespace marvella {
namespace {

TEST(ClassifyUserInfoReply, FirstMatchingWordWinsAndOthersBecomeTheError) {
  std::string error = "x";
  EXPECT_EQ(UserInfoReply::kAccepted, ClassifyUserInfoReply("OK", error));
  EXPECT_EQ("", error);
  EXPECT_EQ(UserInfoReply::kAccepted, ClassifyUserInfoReply("OK-LATER\r\n", error));
  EXPECT_EQ(UserInfoReply::kBusy, ClassifyUserInfoReply("BUSY", error));
  EXPECT_EQ(UserInfoReply::kIdentifierTaken, ClassifyUserInfoReply("ALREADYREG", error));
  EXPECT_EQ(UserInfoReply::kAliasTaken, ClassifyUserInfoReply("ALREADYALIAS a;", error));
  EXPECT_EQ(UserInfoReply::kOther, ClassifyUserInfoReply("ALREADYRE", error));
  EXPECT_EQ("ALREADYRE", error);
  EXPECT_EQ(UserInfoReply::kOther, ClassifyUserInfoReply("", error));
  EXPECT_EQ("", error);
  EXPECT_EQ(UserInfoReply::kOther, ClassifyUserInfoReply("O", error));
  EXPECT_EQ("O", error);
}

TEST(ClassifyGetUserReply, OkAlreadyAccountOrError) {
  std::string error;
  EXPECT_EQ(GetUserReply::kUserData, ClassifyGetUserReply("OK", error));
  EXPECT_EQ(GetUserReply::kAccountExists, ClassifyGetUserReply("ALREADYACCOUNT", error));
  EXPECT_EQ(GetUserReply::kOther, ClassifyGetUserReply("ALREADYACCOUN", error));
  EXPECT_EQ("ALREADYACCOUN", error);
  EXPECT_EQ(GetUserReply::kOther, ClassifyGetUserReply("BUSY\r\n", error));
  EXPECT_EQ("BUSY\r\n", error);
}

TEST(TextAfterWord, SkipsOneSeparatorAndNeverReadsPastTheReply) {
  EXPECT_EQ("a;b", TextAfterWord("ALREADYREG a;b", "ALREADYREG"));
  EXPECT_EQ("a;b", TextAfterWord("ALREADYREG:a;b", "ALREADYREG"));
  EXPECT_EQ("", TextAfterWord("ALREADYREG ", "ALREADYREG"));
  EXPECT_EQ("", TextAfterWord("ALREADYREG", "ALREADYREG"));
  EXPECT_EQ("\n", TextAfterWord("OK\r\n", "OK"));
  EXPECT_EQ("", TextAfterWord("", "OK"));
}

}  // namespace
}  // namespace marvella
