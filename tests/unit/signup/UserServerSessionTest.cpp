// Both conversations against a scripted user server on loopback: every reply word, the
// retry loops, the ways out, and replies that arrive in pieces, too long, late or never.
#include "signup/UserServerSession.h"

#include <gtest/gtest.h>

#include <chrono>
#include <initializer_list>

#include "signup/RecordEncoding.h"
#include "signup/ServiceMailDomain.h"
#include "tests/unit/signup/ConversationFixture.h"
#include "tests/unit/signup/ScriptedChannel.h"

namespace marvella::test {
namespace {

const char kAccountReply[] =
    "userid=ana;pass=pw1;dns1=10.0.0.1;dns2=10.0.0.2;smtp=correo;idwebmail=ana;"
    "pagpers=http://p/~ana\r\n";

void ExpectAccountFilled(const AccountRecord& a) {
  EXPECT_EQ("ana", a.userid);
  EXPECT_EQ("pw1", a.pass);
  EXPECT_EQ("10.0.0.1", a.dns1);
  EXPECT_EQ("10.0.0.2", a.dns2);
  EXPECT_EQ("correo", a.smtp);
  EXPECT_EQ("ana", a.idwebmail);
  EXPECT_EQ("http://p/~ana", a.pagpers);
}

using RegisterNewUser = Conversation;
using FetchExistingUser = Conversation;

TEST_F(RegisterNewUser, AcceptedUserGetsTheAccountAndQuits) {
  for (const char* word : {"OK\r\n", "OK-LATER\r\n", "OKAY whatever\r\n"}) {
    account = AccountRecord();
    ScriptedServer server({Send("HELLO\r\n"), Send(word), Send(kAccountReply)});
    EXPECT_EQ(SignUpResult::Accepted, Register(server)) << word;
    EXPECT_EQ("", error);
    ExpectAccountFilled(account);
    EXPECT_EQ((std::vector<std::string>{"HELLO\r\n", EncodeUserInfo(user), "ACCOUNTINFO\r\n",
                                        "QUIT\r\n"}),
              commands);
  }
  EXPECT_EQ(wait.begun, wait.ended);
  EXPECT_EQ(3, wait.begun);
}

TEST_F(RegisterNewUser, BusyAndUnknownRepliesAreRefusedWithoutQuit) {
  struct Case {
    const char* reply;
    const char* error;
  } cases[] = {
      {"BUSY\r\n", ""},     {"BUSYNESS\r\n", ""},   {"ERROR algo\r\n", "ERROR algo\r\n"},
      {"ok\r\n", "ok\r\n"}, {" OK\r\n", " OK\r\n"}, {"ALREADY\r\n", "ALREADY\r\n"},
  };
  for (const Case& c : cases) {
    ScriptedServer server({Send("HELLO\r\n"), Send(c.reply)});
    EXPECT_EQ(SignUpResult::Refused, Register(server)) << c.reply;
    EXPECT_EQ(c.error, error) << c.reply;
    ASSERT_EQ(2u, commands.size()) << c.reply;
    EXPECT_EQ(EncodeUserInfo(user), commands[1]);
  }
  EXPECT_EQ(wait.begun, wait.ended);
}

TEST_F(RegisterNewUser, TakenIdentifierIsReplacedAndSentAgain) {
  prompt.identifiers = {"juan2", "juan_3"};
  ScriptedServer server({Send("HELLO\r\n"), Send("ALREADYREG juan1;juan2;juan3;\r\n"),
                         Send("ALREADYREG juan1\r\n"), Send("OK\r\n"), Send(kAccountReply)});
  EXPECT_EQ(SignUpResult::Accepted, Register(server));
  ASSERT_EQ(2u, prompt.offered.size());
  EXPECT_EQ((ItemList{"juan1", "juan2", "juan3", ""}), prompt.offered[0]);
  EXPECT_EQ(ItemList{}, prompt.offered[1]) << "no semicolon: no suggestions";
  EXPECT_EQ((std::vector<std::string>{"juan", "juan2"}), prompt.takenIdentifiers);
  ASSERT_EQ(6u, commands.size());
  const std::string domain = ServiceMailDomain;
  EXPECT_NE(std::string::npos, commands[2].find(";userid=juan2;"));
  EXPECT_NE(std::string::npos, commands[2].find(";email=juan2@" + domain + ";"));
  EXPECT_NE(std::string::npos, commands[3].find(";userid=juan_3;"));
  EXPECT_NE(std::string::npos, commands[3].find(";email=juan_3@" + domain + ";"));
  EXPECT_EQ("ACCOUNTINFO\r\n", commands[4]);
  EXPECT_EQ("juan_3", user.userid);
  EXPECT_EQ(2, wait.restored) << "the wait shows again after each dialog";
}

TEST_F(RegisterNewUser, TakenAliasIsReplacedAndSentAgain) {
  prompt.aliases = {"juanillo"};
  ScriptedServer server({Send("HELLO\r\n"), Send("ALREADYALIAS juan7;juan8;\r\n"), Send("OK\r\n"),
                         Send(kAccountReply)});
  EXPECT_EQ(SignUpResult::Accepted, Register(server));
  EXPECT_EQ(1, prompt.aliasQuestions);
  ASSERT_EQ(5u, commands.size());
  EXPECT_NE(std::string::npos, commands[1].find(";alias=juanito;"));
  EXPECT_NE(std::string::npos, commands[2].find(";alias=juanillo;"));
  EXPECT_EQ("juanillo", user.alias);
}

TEST_F(RegisterNewUser, CancelledDialogFailsWithAnEmptyErrorAndNoQuit) {
  for (const char* reply : {"ALREADYREG a;b;\r\n", "ALREADYALIAS\r\n"}) {
    error = "left over";
    ScriptedServer server({Send("HELLO\r\n"), Send(reply), Send("OK\r\n")});
    EXPECT_EQ(SignUpResult::Failed, Register(server)) << reply;
    EXPECT_EQ("", error);
    EXPECT_EQ(2u, commands.size()) << "nothing more is sent after a cancel";
  }
  EXPECT_EQ(wait.begun, wait.ended);
}

TEST_F(RegisterNewUser, RefusedConnectionFailsWithTheConnectionText) {
  UserServerSession session(*channel, wait, "127.0.0.1", std::to_string(UnusedLoopbackPort()),
                            Fast());
  EXPECT_EQ(SignUpResult::Failed, session.RegisterNewUser(error, user, account, prompt));
  EXPECT_EQ("Error intentando establecer conexi\xF3n con host remoto: 127.0.0.1", error);
  EXPECT_EQ(1, wait.begun);
  EXPECT_EQ(1, wait.ended);
  // A port text that is no number connects to port 0, which fails the same way.
  UserServerSession portZero(*channel, wait, "127.0.0.1", "puerto", Fast());
  EXPECT_EQ(SignUpResult::Failed, portZero.FetchExistingUser(error, user, account));
  EXPECT_EQ("Error intentando establecer conexi\xF3n con host remoto: 127.0.0.1", error);
}

TEST_F(RegisterNewUser, ConnectThatNeverCompletesFailsLikeARefusedOne) {
  // A listener whose queue is full drops further connection requests: connect hangs.
  uint16_t port = 0;
  TestSocket listener = ListenOnLoopback(&port, 0);
  std::vector<TestSocket> queued;
  for (int i = 0; i < 8; ++i) queued.push_back(StartConnection(port));
  ReplyTiming t = Fast();
  t.connectMs = 500;
  UserServerSession session(*channel, wait, "127.0.0.1", std::to_string(port), t);
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(SignUpResult::Failed, session.RegisterNewUser(error, user, account, prompt));
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                  start)
                .count();
  EXPECT_EQ("Error intentando establecer conexi\xF3n con host remoto: 127.0.0.1", error);
  EXPECT_GE(ms, 450);
  EXPECT_LT(ms, 3000);
  for (TestSocket s : queued) CloseSocket(s);
  CloseSocket(listener);
}

// What the defaults must keep, whatever their numbers: no wait is endless or zero (a dial-up
// line is slow but a hung server must not freeze the wizard), a line feed ends a reply
// sooner than a pause inside a line, and a reply may take longer than its first byte.
TEST(ReplyTiming, EveryWaitIsBoundedByDefault) {
  ReplyTiming t;
  constexpr unsigned kFiveMinutes = 5 * 60 * 1000;
  for (unsigned ms : {t.connectMs, t.firstByteMs, t.graceMs, t.quietMs, t.wholeReplyMs}) {
    EXPECT_GT(ms, 0u);
    EXPECT_LE(ms, kFiveMinutes);
  }
  EXPECT_LT(t.graceMs, t.quietMs);
  EXPECT_LT(t.quietMs, t.firstByteMs);
  EXPECT_GT(t.wholeReplyMs, t.firstByteMs);
}

TEST(UserServerPort, LeadingDecimalDigitsCutTo16Bits) {
  EXPECT_EQ(6667, UserServerPort("6667"));
  EXPECT_EQ(6667, UserServerPort("6667abc"));
  EXPECT_EQ(0, UserServerPort("abc"));
  EXPECT_EQ(0, UserServerPort(""));
  EXPECT_EQ(4464, UserServerPort("70000"));
  EXPECT_EQ(65535, UserServerPort("-1"));
  EXPECT_EQ(21, UserServerPort("  +21"));
}

// An account reply is only an account when it names the dial-up user and password, after a
// sign-up as after GETUSER's ALREADYACCOUNT.
TEST_F(Conversation, AccountRepliesWithoutUserOrPasswordAreNoAccount) {
  const ServerReply replies[] = {Send("\r\n"),
                                 Send("OK\r\n"),
                                 Send("userid=ana\r\n"),  // no ";": no items
                                 Send("userid=ana;dns1=10.0.0.1;\r\n"),
                                 Send("userid=;pass=pw1;\r\n"),
                                 Send(kAccountReply)};
  ReplyTiming t = Fast();
  t.firstByteMs = 300;
  for (const ServerReply& reply : replies) {
    account = AccountRecord();
    ScriptedServer server({Send("HELLO\r\n"), Send("OK\r\n"), reply});
    bool whole = reply.text == kAccountReply;
    EXPECT_EQ(whole ? SignUpResult::Accepted : SignUpResult::Refused, Register(server, t));
    EXPECT_EQ(whole ? ""
                    : "El servidor no ha enviado el usuario y la contrase\xF1"
                      "a de la cuenta de acceso.",
              error)
        << reply.text;
    EXPECT_EQ(whole ? "10.0.0.1" : "", account.dns1) << "nothing of a refused account is kept";

    account = AccountRecord();
    user.name = "old";
    ScriptedServer fetching({Send("HELLO\r\n"), Send("ALREADYACCOUNT name=Ana;" + reply.text)});
    EXPECT_EQ(whole ? SignUpResult::AccountExists : SignUpResult::Failed, Fetch(fetching, t));
    EXPECT_EQ(whole ? ""
                    : "El servidor no ha enviado el usuario y la contrase\xF1"
                      "a de la cuenta de acceso.",
              error)
        << reply.text;
    EXPECT_EQ(whole ? "10.0.0.1" : "", account.dns1) << reply.text;
    EXPECT_EQ(whole ? "Ana" : "old", user.name) << reply.text;
  }
}

const char kIncomplete[] = "El servidor no ha respondido a tiempo o ha cortado la respuesta.";

// A reply that does not end whole (late, paused inside a line, trickling past its bound,
// overlong past the drain, closed before its line ended) closes the line and fails the
// conversation at that command: nothing more is sent, and what comes late is never read
// as the next command's reply (every script goes on with replies that would pass).
TEST_F(Conversation, RepliesThatDoNotEndWholeCloseTheLineAndFail) {
  ReplyTiming t = Fast();
  t.firstByteMs = 300;
  t.quietMs = 300;
  t.wholeReplyMs = 800;
  std::vector<size_t> everyByte;
  for (size_t i = 1; i < 20; ++i) everyByte.push_back(i);
  struct Case {
    const char* what;
    ServerReply reply;
  };
  const Case cases[] = {
      {"late", Send("OK name=Ana;userid=ana;pass=pw1;\r\n", {0}, 500)},
      {"silent", Silent()},
      {"paused inside a line", Send("OK name=Ana;userid=ana;pass=pw1;\r\n", {2}, 500)},
      {"trickling", Send(std::string(20, 'x') + "\r\n", everyByte, 60)},
      {"past the drain", Send("OK " + std::string(ReplyReader::kBufferSize + ReplyReader::kDrainLimit, 'x') + "\r\n")},
      {"closed inside a line", SendThenClose("OK name=Ana;userid=ana;pass=pw1;")},
      {"closed", CloseConnection()},
  };
  const std::vector<ServerReply> signUp = {Send("HELLO\r\n"), Send("OK\r\n"), Send(kAccountReply),
                                           Send(kAccountReply)};
  const std::vector<ServerReply> fetch = {Send("HELLO\r\n"),
                                          Send("ALREADYACCOUNT name=Ana;userid=ana;pass=pw1;\r\n"),
                                          Send("OK name=Ana;\r\n")};
  for (const Case& c : cases) {
    for (size_t at = 0; at < 3; ++at) {
      std::vector<ServerReply> script = signUp;
      script[at] = c.reply;
      ScriptedServer server(script);
      account = AccountRecord();
      EXPECT_EQ(SignUpResult::Failed, Register(server, t)) << c.what << " at " << at;
      EXPECT_EQ(kIncomplete, error) << c.what << " at " << at;
      EXPECT_EQ(at + 1, commands.size()) << c.what << " at " << at;
      EXPECT_EQ("", account.userid);
    }
    for (size_t at = 0; at < 2; ++at) {
      std::vector<ServerReply> script = fetch;
      script[at] = c.reply;
      ScriptedServer server(script);
      user.name = "old";
      account = AccountRecord();
      EXPECT_EQ(SignUpResult::Failed, Fetch(server, t)) << c.what << " at " << at;
      EXPECT_EQ(kIncomplete, error) << c.what << " at " << at;
      EXPECT_EQ(at + 1, commands.size()) << c.what << " at " << at;
      EXPECT_EQ("old", user.name) << c.what << " at " << at;
      EXPECT_EQ("", account.userid);
    }
  }
}

TEST_F(RegisterNewUser, TricklingServerIsCutOffByTheWholeReplyBound) {
  ReplyTiming t = Fast();
  t.wholeReplyMs = 500;
  std::vector<size_t> everyByte;
  for (size_t i = 1; i < 30; ++i) everyByte.push_back(i);
  ScriptedServer server({Send("HELLO\r\n"), Send("ERROR" + std::string(25, 'x'), everyByte, 100)});
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(SignUpResult::Failed, Session(server, t).RegisterNewUser(error, user, account, prompt));
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                  start)
                .count();
  EXPECT_EQ(kIncomplete, error);
  EXPECT_LT(ms, 2500) << "the server goes on for 3 s";
}

TEST_F(RegisterNewUser, LineFeedEndedLinesArriveWholeAfterPauses) {
  // Three lines with pauses shorter than the grace: one reply. Default waits.
  ScriptedServer server({Send("HELLO\r\n"), Send("OK\r\n"),
                         Send("userid=ana;\r\npass=pw1;\r\ndns1=10.0.0.1;\r\n", {12, 22}, 60)});
  EXPECT_EQ(SignUpResult::Accepted, Register(server, ReplyTiming()));
  EXPECT_EQ("ana", account.userid);
  EXPECT_EQ("pw1", account.pass);
  EXPECT_EQ("10.0.0.1", account.dns1);
}

TEST_F(RegisterNewUser, OverlongRepliesAreCutInsideTheBuffer) {
  const std::string head = "userid=ana;pass=pw1;pagpers=";
  ScriptedServer server(
      {Send("HELLO\r\n"), Send("OK\r\n"), Send(head + std::string(70000, 'x') + ";dns1=late\r\n")});
  EXPECT_EQ(SignUpResult::Accepted, Register(server));
  EXPECT_EQ("ana", account.userid);
  EXPECT_EQ(ReplyReader::kBufferSize - 1 - head.size(), account.pagpers.size());
  EXPECT_EQ("", account.dns1);

  ScriptedServer refusal({Send("HELLO\r\n"), Send("ERROR " + std::string(70000, 'e') + "\r\n")});
  EXPECT_EQ(SignUpResult::Refused, Register(refusal));
  EXPECT_EQ(ReplyReader::kBufferSize - 1, error.size());
  EXPECT_EQ(0u, error.find("ERROR eee"));
}

// The unread rest of a reply cut at the buffer is dropped, not taken as the next reply.
TEST_F(RegisterNewUser, RestOfAnOverlongReplyIsNotTheNextReply) {
  const std::string overlong(70000, 'x');
  const std::vector<ServerReply> scripts[] = {
      {Send("HELLO " + overlong + "\r\n"), Send("OK\r\n"), Send(kAccountReply)},
      {Send("HELLO\r\n"), Send("OK " + overlong + "\r\n"), Send(kAccountReply)},
      {Send("HELLO\r\n"), Send("ALREADYALIAS " + overlong + "\n"), Send("OK\r\n"), Send(kAccountReply)},
  };
  prompt.aliases = {"juanillo"};
  for (const auto& script : scripts) {
    account = AccountRecord();
    ScriptedServer server(script);
    EXPECT_EQ(SignUpResult::Accepted, Register(server)) << script.size();
    ExpectAccountFilled(account);
    EXPECT_EQ("QUIT\r\n", commands.back());
  }
  EXPECT_EQ(1, prompt.aliasQuestions);
}

TEST_F(RegisterNewUser, ZeroByteEndsTheReply) {
  ScriptedServer server({Send("HELLO\r\n"), Send(std::string("ERR\0OK\r\n", 8))});
  EXPECT_EQ(SignUpResult::Refused, Register(server));
  EXPECT_EQ("ERR", error);
}

// Every reply, split at every byte position, is understood as when it comes whole. Hundreds
// of conversations: they run on a scripted channel, not loopback sockets.
TEST_F(RegisterNewUser, RepliesSplitAtEveryPositionClassifyTheSame) {
  struct Case {
    std::string reply;
    SignUpResult result;
    std::string error;
  };
  const std::vector<Case> cases = {
      {"OK-LATER\r\n", SignUpResult::Accepted, ""},
      {"BUSY\r\n", SignUpResult::Refused, ""},
      {"ALREADYREG juan1;juan2;\r\n", SignUpResult::Failed, ""},
      {"ALREADYALIAS x;y\r\n", SignUpResult::Failed, ""},
      {"ERROR algo\r\n", SignUpResult::Refused, "ERROR algo\r\n"},
  };
  for (const Case& c : cases) {
    for (size_t cut = 1; cut < c.reply.size(); ++cut) {
      prompt.offered.clear();
      account = AccountRecord();
      ScriptedChannel line(
          {Send("HELLO\r\n", {3}), Send(c.reply, {cut}), Send(kAccountReply, {cut})});
      EXPECT_EQ(c.result, Session(line).RegisterNewUser(error, user, account, prompt))
          << c.reply << " cut at " << cut;
      EXPECT_FALSE(line.open);
      EXPECT_EQ(c.error, error) << c.reply << " cut at " << cut;
      if (c.reply[0] == 'A' && c.reply[7] == 'R') {
        EXPECT_EQ((ItemList{"juan1", "juan2", ""}), prompt.offered.at(0)) << "cut at " << cut;
      }
      if (c.result == SignUpResult::Accepted) ExpectAccountFilled(account);
    }
  }
}

TEST_F(FetchExistingUser, OkFillsTheUserFieldsAndQuits) {
  user.password = "p;w=1";
  user.name = "old";
  user.surname =
      "Garc\xED"
      "a";
  ScriptedServer server({Send("HELLO\r\n"), Send("OK name=Ana;city=Lugo;password=x\r\n")});
  EXPECT_EQ(SignUpResult::Accepted, Fetch(server));
  EXPECT_EQ("", error);
  EXPECT_EQ("Ana", user.name);
  EXPECT_EQ("Lugo", user.city);
  EXPECT_EQ(
      "Garc\xED"
      "a",
      user.surname);
  EXPECT_EQ("p;w=1", user.password);
  EXPECT_EQ(
      (std::vector<std::string>{"HELLO\r\n", "GETUSER userid=juan;password=p;w=1\r\n", "QUIT\r\n"}),
      commands);
  EXPECT_EQ("", account.userid);
}

TEST_F(FetchExistingUser, AlreadyAccountFillsBothRecords) {
  ScriptedServer server(
      {Send("HELLO\r\n"),
       Send("ALREADYACCOUNT name=Ana;userid=ana;pass=pw1;\r\ndns1=10.0.0.1;\r\n")});
  EXPECT_EQ(SignUpResult::AccountExists, Fetch(server));
  EXPECT_EQ("Ana", user.name);
  EXPECT_EQ("ana", user.userid);
  EXPECT_EQ("ana", account.userid);
  EXPECT_EQ("pw1", account.pass);
  EXPECT_EQ("10.0.0.1", account.dns1) << "line breaks go before the account items are split";
  EXPECT_EQ("QUIT\r\n", commands.back());
}

TEST_F(FetchExistingUser, AnythingElseFailsWithTheReplyAndStillQuits) {
  ScriptedServer server({Send("HELLO\r\n"), Send("NOUSER juan\r\n")});
  EXPECT_EQ(SignUpResult::Failed, Fetch(server));
  EXPECT_EQ("NOUSER juan\r\n", error);
  EXPECT_EQ("QUIT\r\n", commands.back());
  EXPECT_EQ(wait.begun, wait.ended);
  UserServerSession refused(*channel, wait, "127.0.0.1", std::to_string(UnusedLoopbackPort()));
  EXPECT_EQ(SignUpResult::Failed, refused.FetchExistingUser(error, user, account));
  EXPECT_EQ("Error intentando establecer conexi\xF3n con host remoto: 127.0.0.1", error);
}

TEST_F(FetchExistingUser, RepliesSplitAtEveryPositionClassifyTheSame) {
  const std::string replies[] = {"OK name=Ana;city=Lugo;\r\n",
                                 "ALREADYACCOUNT name=Ana;userid=ana;pass=pw1;\r\n", "NOUSER\r\n"};
  for (const std::string& reply : replies) {
    for (size_t cut = 1; cut < reply.size(); ++cut) {
      user = UserRecord();
      account = AccountRecord();
      ScriptedChannel line({Send("HELLO\r\n"), Send(reply, {cut})});
      SignUpResult r = Session(line).FetchExistingUser(error, user, account);
      EXPECT_FALSE(line.open);
      if (reply[0] == 'O') {
        EXPECT_EQ(SignUpResult::Accepted, r) << "cut at " << cut;
        EXPECT_EQ("Lugo", user.city) << "cut at " << cut;
      } else if (reply[0] == 'A') {
        EXPECT_EQ(SignUpResult::AccountExists, r) << "cut at " << cut;
        EXPECT_EQ("pw1", account.pass) << "cut at " << cut;
      } else {
        EXPECT_EQ(SignUpResult::Failed, r) << "cut at " << cut;
        EXPECT_EQ(reply, error) << "cut at " << cut;
      }
    }
  }
}

}  // namespace
}  // namespace marvella::test
