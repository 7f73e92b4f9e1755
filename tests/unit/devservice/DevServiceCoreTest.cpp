// The user server's replies as protocol logic, without sockets, and which command a fault
// rule falls on and for how long.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "devservice/Faults.h"
#include "devservice/Store.h"
#include "devservice/UserConversation.h"

namespace {

using namespace devservice;

// Each row is one command of conversation `conv` (all on one store) and the start of its
// reply; `whole` asks for the whole reply line.
struct Turn {
  int conv;
  std::string line;
  std::string reply;
  bool whole = false;
};

TEST(DevServiceConversation, RepliesToEachCommand) {
  const Turn turns[] = {
      {0, "ACCOUNTINFO", "ERROR"},  // before any accepted USERINFO
      {0, "USERINFO alta=1;userid=juan;password=x;alias=Juanito;", "OK\r\n", true},
      {0, "ACCOUNTINFO", "userid=juan;pass="},
      {1, "USERINFO alta=1;userid=juan1;password=x;", "OK\r\n", true},
      // Both names taken: the identifier is reported first, with free suggestions only;
      // aliases compare without case.
      {2, "USERINFO alta=1;userid=juan;password=y;alias=juanito;",
       "ALREADYREG juan2;juan3;juan4;\r\n", true},
      {2, "USERINFO alta=1;userid=juan2;password=y;alias=JUANITO;",
       "ALREADYALIAS JUANITO1;JUANITO2;JUANITO3;\r\n", true},
      {2, "USERINFO alta=1;userid=juan2;password=y;alias=juanito1;", "OK\r\n", true},
      {2, "USERINFO alta=2;userid=eva;password=x;", "ERROR"},
      {2, "USERINFO alta=1;userid=Eva;password=x;", "ERROR"},
      {2, "USERINFO alta=1;userid=eva;", "ERROR"},
      {2, "hello", kReplyUnknownCommand, true},
      {2, std::string("HELLO\0x", 7), kReplyBadBytes, true},
      // The kit sends GETUSER values unescaped, and its USERINFO made the ";" of a password
      // a blank: such a password is still recognised. The user's password never travels back.
      {3, "USERINFO alta=1;userid=luis;password=p w;name=Luis;city=Vigo;", "OK\r\n", true},
      {4, "GETUSER userid=luis;password=p;w", "OK userid=luis;name=Luis;city=Vigo;\r\n", true},
      {4, "GETUSER userid=luis;password=no", "ERROR "},
      // A returning user (alta 0) updates what it sends, keeps the rest, then gets an account.
      {4, "USERINFO alta=0;userid=luis;password=p w;city=Ourense;", "OK\r\n", true},
      {4, "ACCOUNTINFO", "userid=luis;pass="},
      {4, "GETUSER userid=luis;password=p w",
       "ALREADYACCOUNT userid=luis;name=Luis;city=Ourense;userid=luis;pass="},
      {4, "USERINFO alta=0;userid=luis;password=mal;", "ERROR"},
  };
  std::string error;
  auto store = Store::Open(":memory:", &error);
  ASSERT_TRUE(store) << error;
  AccountDefaults defaults;
  std::vector<UserConversation> convs(5, UserConversation(*store, defaults));
  const Fault none;
  for (const Turn& t : turns) {
    const std::string reply = convs[t.conv].Handle(t.line, none).text;
    if (t.whole) {
      EXPECT_EQ(reply, t.reply) << t.line;
    } else {
      EXPECT_EQ(reply.rfind(t.reply, 0), 0u) << t.line << " -> " << reply;
    }
  }
  // One text for a wrong password and an unknown user, so neither gives the other away.
  EXPECT_EQ(convs[4].Handle("GETUSER userid=luis;password=no", none).text,
            convs[4].Handle("GETUSER userid=nadie;password=no", none).text);
  EXPECT_TRUE(convs[4].Handle("QUIT", none).close);
}

TEST(DevServiceFaults, RulesFallOnTheirCommandAndRunOut) {
  Faults faults;
  for (const char* rule : {"silence,command=GETUSER,count=2", "busy"}) {
    Fault f;
    std::string error;
    ASSERT_TRUE(ParseFault(FaultScope::User, rule, &f, &error)) << error;
    faults.Add(FaultScope::User, f);
  }
  const struct {
    FaultScope scope;
    const char* match;
    FaultKind taken;
  } takes[] = {
      {FaultScope::User, "GETUSER", FaultKind::Silence},
      {FaultScope::User, "USERINFO", FaultKind::Busy},  // busy is for USERINFO only
      {FaultScope::User, "GETUSER", FaultKind::Silence},
      {FaultScope::User, "GETUSER", FaultKind::None},  // silence used up
      {FaultScope::User, "USERINFO", FaultKind::Busy},
      {FaultScope::Http, "/", FaultKind::None},  // scopes stay apart
  };
  for (const auto& t : takes) EXPECT_EQ(faults.Take(t.scope, t.match).kind, t.taken) << t.match;
  faults.Clear(FaultScope::User);
  EXPECT_EQ(faults.Take(FaultScope::User, "USERINFO").kind, FaultKind::None);
}

}  // namespace
