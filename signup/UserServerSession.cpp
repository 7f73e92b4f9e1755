// The two conversations with the user server.
#include "signup/UserServerSession.h"

#include <vector>

#include "common/BoundedText.h"
#include "signup/RecordEncoding.h"
#include "signup/ReplyClassification.h"
#include "signup/SignupTexts.h"

namespace marvella {
namespace {

// Closes the connection on every way out of a conversation.
class ChannelCloser {
 public:
  explicit ChannelCloser(LineChannel& channel) : channel_(channel) {}
  ~ChannelCloser() { channel_.Close(); }
  ChannelCloser(const ChannelCloser&) = delete;
  ChannelCloser& operator=(const ChannelCloser&) = delete;

 private:
  LineChannel& channel_;
};

std::string FormatWithText(const char* format, const std::string& text) {
  std::vector<char> out(std::char_traits<char>::length(format) + text.size() + 1);
  FormatBounded(out.data(), out.size(), format, text.c_str());
  return std::string(out.data());
}

}  // namespace

uint16_t UserServerPort(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  uint32_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    value = (value * 10 + static_cast<uint32_t>(text[i] - '0')) & 0xFFFFu;
  return static_cast<uint16_t>(negative ? (0x10000u - value) & 0xFFFFu : value);
}

UserServerSession::UserServerSession(LineChannel& channel, WaitIndicator& wait, std::string address,
                                     std::string port, const ReplyTiming& timing)
    : channel_(channel),
      wait_(wait),
      address_(std::move(address)),
      port_(std::move(port)),
      timing_(timing),
      reader_(channel, timing) {}

void UserServerSession::SendLine(const std::string& line) {
  channel_.Send(line.data(), line.size());
}

bool UserServerSession::Open(std::string& errorText) {
  if (!channel_.Connect(address_.c_str(), UserServerPort(port_), timing_.connectMs)) {
    channel_.Close();
    errorText = FormatWithText(SIGNUP_CONNECT_FAILED_TEXT, address_);
    return false;
  }
  SendLine("HELLO\r\n");
  std::string greeting;  // says nothing we use, but it must end whole
  return ReceiveWhole(greeting, errorText);
}

bool UserServerSession::ReceiveWhole(std::string& reply, std::string& errorText) {
  ReplyEnd end;
  reply = reader_.Receive(end);
  if (IsWholeReply(end)) return true;
  // The rest may still come and would answer the next command: this line is done.
  channel_.Close();
  errorText = SIGNUP_INCOMPLETE_REPLY_TEXT;
  return false;
}

bool UserServerSession::HasAccount(const ItemList& items) {
  AccountRecord sent;
  ApplyAccountItems(items, sent);
  return !sent.userid.empty() && !sent.pass.empty();
}

SignUpResult UserServerSession::RegisterNewUser(std::string& errorText, UserRecord& user,
                                                AccountRecord& account, RetryPrompt& prompt) {
  ScopedWait wait(wait_);
  if (!Open(errorText)) return SignUpResult::Failed;
  ChannelCloser closer(channel_);
  ItemList suggestions;
  for (;;) {
    suggestions.clear();
    SendLine(EncodeUserInfo(user));
    std::string reply;
    if (!ReceiveWhole(reply, errorText)) return SignUpResult::Failed;
    switch (ClassifyUserInfoReply(reply, errorText)) {
      case UserInfoReply::kAccepted:
        break;
      case UserInfoReply::kBusy:
      case UserInfoReply::kOther:
        return SignUpResult::Refused;
      case UserInfoReply::kIdentifierTaken: {
        suggestions = SplitItems(StripLineBreaks(TextAfterWord(reply, "ALREADYREG")));
        std::string identifier = prompt.AskNewIdentifier(suggestions, user);
        wait.Restore();
        if (identifier.empty()) return SignUpResult::Failed;
        user.userid = identifier;
        continue;
      }
      case UserInfoReply::kAliasTaken: {
        // The server sends a list here too; nothing uses it.
        suggestions = SplitItems(StripLineBreaks(TextAfterWord(reply, "ALREADYALIAS")));
        std::string alias = prompt.AskNewAlias();
        wait.Restore();
        if (alias.empty()) return SignUpResult::Failed;
        user.alias = alias;
        continue;
      }
    }
    break;
  }
  // The account reply has no status word: all of it is the item list.
  SendLine("ACCOUNTINFO\r\n");
  std::string accountReply;
  if (!ReceiveWhole(accountReply, errorText)) return SignUpResult::Failed;
  ItemList items = SplitItems(StripLineBreaks(accountReply));
  SendLine("QUIT\r\n");
  // Without a user name and password there is no account to build an entry from.
  if (!HasAccount(items)) {
    errorText = SIGNUP_NO_ACCOUNT_TEXT;
    return SignUpResult::Refused;
  }
  ApplyAccountItems(items, account);
  return SignUpResult::Accepted;
}

SignUpResult UserServerSession::FetchExistingUser(std::string& errorText, UserRecord& user,
                                                  AccountRecord& account) {
  errorText.clear();
  ScopedWait wait(wait_);
  if (!Open(errorText)) return SignUpResult::Failed;
  ChannelCloser closer(channel_);
  // Identifier and password go as they are, without escaping.
  SendLine("GETUSER userid=" + user.userid + ";password=" + user.password + "\r\n");
  std::string reply;
  if (!ReceiveWhole(reply, errorText)) return SignUpResult::Failed;
  SignUpResult result = SignUpResult::Failed;
  switch (ClassifyGetUserReply(reply, errorText)) {
    case GetUserReply::kUserData:
      ApplyUserItems(TextAfterWord(reply, "OK"), user);
      result = SignUpResult::Accepted;
      break;
    case GetUserReply::kAccountExists: {
      std::string_view items = TextAfterWord(reply, "ALREADYACCOUNT");
      ItemList accountItems = SplitItems(StripLineBreaks(items));
      // As for a sign-up: an account without its user name and password is none, and an
      // entry or a portal visit made from it would carry no credentials.
      if (!HasAccount(accountItems)) {
        errorText = SIGNUP_NO_ACCOUNT_TEXT;
        break;
      }
      ApplyUserItems(items, user);
      ApplyAccountItems(accountItems, account);
      result = SignUpResult::AccountExists;
      break;
    }
    case GetUserReply::kOther:
      break;
  }
  SendLine("QUIT\r\n");
  return result;
}

}  // namespace marvella
