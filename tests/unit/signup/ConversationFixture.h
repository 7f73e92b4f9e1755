// What the conversation tests share: a platform channel, a scripted prompt, a wait recorder
// and short waits (the real ones are tens of seconds).
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "signup/RetryChoices.h"
#include "signup/UserServerSession.h"
#include "tests/unit/common/RecordingMessageSink.h"
#include "tests/unit/signup/ScriptedServer.h"
#include "tests/unit/signup/TestSockets.h"

namespace marvella::test {

class RecordingWait final : public WaitIndicator {
 public:
  void BeginWait() override { ++begun; }
  void RestoreWait() override { ++restored; }
  void EndWait() override { ++ended; }
  int begun = 0, restored = 0, ended = 0;
};

// Answers the retry dialogs from a script, deciding as the dialogs do.
class ScriptedPrompt final : public RetryPrompt {
 public:
  std::string AskNewIdentifier(const ItemList& suggestions, UserRecord& record) override {
    offered.push_back(suggestions);
    takenIdentifiers.push_back(record.userid);
    std::string answer = identifiers.empty() ? std::string() : identifiers.front();
    if (!identifiers.empty()) identifiers.pop_front();
    std::string chosen;
    if (!answer.empty() &&
        !ConfirmNewIdentifier(suggestions, false, -1, answer, record, sink, chosen))
      ADD_FAILURE() << "scripted identifier refused: " << answer;
    return chosen;
  }
  std::string AskNewAlias() override {
    ++aliasQuestions;
    std::string answer = aliases.empty() ? std::string() : aliases.front();
    if (!aliases.empty()) aliases.pop_front();
    return answer;
  }

  std::deque<std::string> identifiers, aliases;
  std::vector<ItemList> offered;
  std::vector<std::string> takenIdentifiers;
  int aliasQuestions = 0;
  RecordingMessageSink sink;
};

// The platform channel, watched: is a socket still held?
class TrackingChannel final : public LineChannel {
 public:
  explicit TrackingChannel(std::unique_ptr<LineChannel> inner) : inner_(std::move(inner)) {}
  bool Connect(const char* address, uint16_t port, unsigned timeoutMs) override {
    open = inner_->Connect(address, port, timeoutMs);
    return open;
  }
  void Send(const char* data, size_t length) override { inner_->Send(data, length); }
  ReceiveResult Receive(char* buffer, size_t capacity, unsigned waitMs) override {
    return inner_->Receive(buffer, capacity, waitMs);
  }
  void Close() override {
    inner_->Close();
    open = false;
  }
  bool open = false;

 private:
  std::unique_ptr<LineChannel> inner_;
};

class Conversation : public testing::Test {
 protected:
  void SetUp() override {
    StartTestSockets();
    tracking = new TrackingChannel(MakePlatformChannel());
    channel.reset(tracking);
    user.alta = "1";
    user.userid = "juan";
    user.password = "pw";
    user.alias = "juanito";
    user.email = "juan@correo.es";
  }

  // Short waits for scripted servers that answer at once.
  static ReplyTiming Fast() {
    ReplyTiming t;
    t.connectMs = 3000;
    t.firstByteMs = 3000;
    t.graceMs = 40;
    t.quietMs = 1000;
    t.wholeReplyMs = 10000;
    return t;
  }

  UserServerSession Session(const ScriptedServer& server, const ReplyTiming& timing = Fast()) {
    return UserServerSession(*channel, wait, "127.0.0.1", std::to_string(server.port()), timing);
  }
  // A conversation over a channel of its own (a scripted one).
  UserServerSession Session(LineChannel& line) {
    return UserServerSession(line, wait, "127.0.0.1", "1", Fast());
  }

  SignUpResult Register(ScriptedServer& server, const ReplyTiming& timing = Fast()) {
    SignUpResult r = Session(server, timing).RegisterNewUser(error, user, account, prompt);
    EXPECT_FALSE(tracking->open) << "the socket is released on every way out";
    commands = server.Commands();
    return r;
  }

  SignUpResult Fetch(ScriptedServer& server, const ReplyTiming& timing = Fast()) {
    SignUpResult r = Session(server, timing).FetchExistingUser(error, user, account);
    EXPECT_FALSE(tracking->open) << "the socket is released on every way out";
    commands = server.Commands();
    return r;
  }

  void TearDown() override { EXPECT_FALSE(tracking->open); }

  std::unique_ptr<LineChannel> channel;
  TrackingChannel* tracking = nullptr;
  RecordingWait wait;
  ScriptedPrompt prompt;
  UserRecord user;
  AccountRecord account;
  std::string error = "left over";
  std::vector<std::string> commands;
};

}  // namespace marvella::test
