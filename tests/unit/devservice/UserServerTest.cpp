// The user server over real sockets: the conversations the kit holds, persistence across a
// restart, hostile input and the fault modes.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "devservice/ItemText.h"
#include "tests/unit/devservice/DevServiceTestSupport.h"

namespace {

using namespace std::chrono_literals;
using devservice::FindItem;
using devservice::ParseItems;
using devservice_test::Ended;
using devservice_test::LineClient;
using devservice_test::SignUp;
using devservice_test::TestService;

const char kAna[] =
    "USERINFO alta=1;userid=ana;password=clave 1;name=Ana;surname=Gil Paz;city=Lugo;"
    "birth=19800101;alias=Anita;email=ana@correo.es;provincia=Lugo;telefono=982000000;"
    "sexo=M;dondeconect=casa,trabajo;clave=01,07;enviarinfo=s;infoexterna=n;";

class UserServerTest : public ::testing::Test {
 protected:
  int Port() { return service_->UserPort(); }
  devservice::Fault Rule(const std::string& rule) {
    devservice::Fault f;
    std::string error;
    EXPECT_TRUE(devservice::ParseFault(devservice::FaultScope::User, rule, &f, &error)) << error;
    return f;
  }
  void AddFault(const std::string& rule) {
    service_->GetFaults().Add(devservice::FaultScope::User, Rule(rule));
  }
  TestService service_;
};

TEST_F(UserServerTest, NewUserGetsAnAccountItsServerKeepsAcrossARestart) {
  LineClient kit(Port());
  EXPECT_EQ(kit.Ask("HELLO").substr(0, 2), "OK");
  EXPECT_EQ(kit.Ask(kAna), "OK\r\n");
  std::string accountLine = kit.Ask("ACCOUNTINFO");
  kit.Send("QUIT\r\n");
  EXPECT_EQ(kit.WaitForEnd(2s), Ended::Eof);  // QUIT ends it without a reply
  // The whole reply is the item list, ending in ";" so the kit's splitter keeps every item.
  auto account = ParseItems(accountLine);
  ASSERT_EQ(account.size(), 8u) << accountLine;
  EXPECT_EQ(*FindItem(account, "userid"), "ana");
  EXPECT_EQ(FindItem(account, "pass")->size(), 8u);
  EXPECT_EQ(*FindItem(account, "idwebmail"), "ana@marvella.es");
  EXPECT_EQ(*FindItem(account, "pagpers"), service_->WebBase() + "/usuarios/ana/");
  for (const char* key : {"dialupnum", "dns1", "dns2", "smtp"})
    EXPECT_NE(*FindItem(account, key), "") << key;

  service_.Restart();
  LineClient back(Port());
  back.Ask("HELLO");
  std::string reply = back.Ask("GETUSER userid=ana;password=clave 1");
  ASSERT_EQ(reply.rfind("ALREADYACCOUNT ", 0), 0u) << reply;
  auto items = ParseItems(reply.substr(15));
  EXPECT_EQ(*FindItem(items, "surname"), "Gil Paz");
  EXPECT_EQ(*FindItem(items, "dondeconect"), "casa,trabajo");
  EXPECT_EQ(*FindItem(items, "alias"), "Anita");
  EXPECT_EQ(*FindItem(items, "pass"), *FindItem(account, "pass"));
  EXPECT_EQ(FindItem(items, "password"), nullptr);  // the user's password never travels back
}

TEST_F(UserServerTest, TakenIdentifierAndAliasOfferFreeNamesUntilTheRetryIsAccepted) {
  ASSERT_EQ(SignUp(Port(), "juan", "x", "Juanito").rfind("userid=juan;", 0), 0u);
  ASSERT_EQ(SignUp(Port(), "juan1", "x").rfind("userid=juan1;", 0), 0u);
  LineClient kit(Port());
  kit.Ask("HELLO");
  // Both names taken: the identifier is reported first, with free suggestions only.
  std::string reply = kit.Ask("USERINFO alta=1;userid=juan;password=y;alias=juanito;");
  EXPECT_EQ(reply, "ALREADYREG juan2;juan3;juan4;\r\n");
  reply = kit.Ask("USERINFO alta=1;userid=juan2;password=y;alias=juanito;");
  EXPECT_EQ(reply, "ALREADYALIAS juanito1;juanito2;juanito3;\r\n");
  EXPECT_EQ(kit.Ask("USERINFO alta=1;userid=juan2;password=y;alias=juanito1;"), "OK\r\n");
  EXPECT_EQ(kit.Ask("ACCOUNTINFO").rfind("userid=juan2;", 0), 0u);
}

TEST_F(UserServerTest, ExistingUsersAndWrongCredentials) {
  LineClient kit(Port());
  kit.Ask("HELLO");
  ASSERT_EQ(kit.Ask("USERINFO alta=1;userid=luis;password=pw;name=Luis;city=Vigo;"), "OK\r\n");
  kit.Send("QUIT\r\n");  // accepted, but no ACCOUNTINFO: a user without an access account

  LineClient back(Port());
  back.Ask("HELLO");
  EXPECT_EQ(back.Ask("GETUSER userid=luis;password=pw"), "OK userid=luis;name=Luis;city=Vigo;\r\n");
  std::string wrong = back.Ask("GETUSER userid=luis;password=no");
  EXPECT_EQ(wrong, back.Ask("GETUSER userid=nadie;password=pw"));  // one text for both
  EXPECT_EQ(wrong.rfind("ERROR ", 0), 0u);
  // A returning user (alta 0) updates what it sends and keeps the rest, then gets an account.
  EXPECT_EQ(
      back.Ask(
          "USERINFO alta=0;userid=luis;name=Luis;city=Ourense;phone=1;password=pw;telefono=1;"),
      "OK\r\n");
  EXPECT_EQ(back.Ask("ACCOUNTINFO").rfind("userid=luis;pass=", 0), 0u);
  std::string fetched = back.Ask("GETUSER userid=luis;password=pw");
  EXPECT_EQ(
      fetched.rfind(
          "ALREADYACCOUNT userid=luis;name=Luis;city=Ourense;telefono=1;userid=luis;pass=", 0),
      0u)
      << fetched;
  EXPECT_EQ(back.Ask("USERINFO alta=0;userid=luis;password=mal;").rfind("ERROR", 0), 0u);
}

TEST_F(UserServerTest, ConcurrentSignUpsCreateOneAccountEach) {
  std::vector<std::thread> clients;
  std::vector<std::string> replies(40);
  for (int i = 0; i < 40; ++i) {
    clients.emplace_back(
        [&, i] { replies[i] = SignUp(Port(), "user" + std::to_string(i % 20), "pw"); });
  }
  for (auto& t : clients) t.join();
  int accepted = 0;
  for (const std::string& r : replies) {
    if (r.rfind("userid=", 0) == 0) {
      ++accepted;
    } else {
      EXPECT_EQ(r.rfind("ALREADYREG ", 0), 0u) << r;
    }
  }
  EXPECT_EQ(accepted, 20);
  EXPECT_EQ(service_->GetStore().CountAccounts(), 20);
}

TEST_F(UserServerTest, GarbageAndBinaryBytesGetErrorsThenTheConnectionIsDropped) {
  LineClient peer(Port());
  EXPECT_EQ(peer.Ask("FOO bar").rfind("ERROR", 0), 0u);
  EXPECT_EQ(peer.Ask(std::string("HEL\0LO\x01", 7)).rfind("ERROR", 0), 0u);
  EXPECT_EQ(peer.Ask("HELLO").rfind("OK", 0), 0u);  // still usable after an error
  // A peer that sends nothing but garbage is cut off after a few errors.
  std::string flood;
  for (int i = 0; i < 20; ++i) flood += "\xff\xfe garbage\r\n";
  peer.Send(flood);
  EXPECT_EQ(peer.WaitForEnd(3s), Ended::Eof);
}

TEST_F(UserServerTest, OverlongLinesAreRefusedWithoutBufferingThem) {
  LineClient peer(Port());
  std::string big(1 << 20, 'A');  // 1 MB without a line break
  peer.Send(big);
  std::string reply = peer.ReceiveLine();
  EXPECT_EQ(reply.rfind("ERROR", 0), 0u) << reply.size();
  EXPECT_NE(peer.WaitForEnd(3s), Ended::Timeout);
}

TEST_F(UserServerTest, IdleHalfClosedAndAbruptPeersEndCleanly) {
  devservice::ServiceConfig config;
  config.limits.idleTimeout = 1000ms;
  config.limits.maxConnections = 50;
  TestService quick(config);
  // Many idle connections: a real conversation still gets through.
  std::vector<std::unique_ptr<LineClient>> idle;
  for (int i = 0; i < 40; ++i) idle.push_back(std::make_unique<LineClient>(quick->UserPort()));
  EXPECT_EQ(SignUp(quick->UserPort(), "eva", "pw").rfind("userid=eva;", 0), 0u);
  // Over the limit: connections are closed at once.
  std::vector<std::unique_ptr<LineClient>> more;
  for (int i = 0; i < 15; ++i) more.push_back(std::make_unique<LineClient>(quick->UserPort()));
  EXPECT_EQ(more.back()->WaitForEnd(2s), Ended::Eof);
  // The idle ones are closed by the server after the idle time.
  EXPECT_EQ(idle.front()->WaitForEnd(4s), Ended::Eof);
  idle.clear();
  more.clear();
  for (int i = 0; i < 200 && quick->OpenUserConnections() > 0; ++i)
    std::this_thread::sleep_for(10ms);
  EXPECT_EQ(quick->OpenUserConnections(), 0u);

  // Half-closed: the commands sent before the close are still answered, the last one even
  // without its line break.
  LineClient half(quick->UserPort());
  half.Send("HELLO\r\nGETUSER userid=eva;password=pw");
  half.ShutdownWrite();
  EXPECT_EQ(half.ReceiveLine().rfind("OK", 0), 0u);
  EXPECT_EQ(half.ReceiveLine().rfind("ALREADYACCOUNT", 0), 0u);
  EXPECT_EQ(half.WaitForEnd(2s), Ended::Eof);

  // A reset in the middle of a line leaves the service serving.
  LineClient abrupt(quick->UserPort());
  abrupt.Send("USERINFO alta=1;userid=zoe;pass");
  abrupt.AbortWithReset();
  EXPECT_EQ(SignUp(quick->UserPort(), "zoe", "pw").rfind("userid=zoe;", 0), 0u);
  quick.Stop();
  EXPECT_NE(quick.Log().find("end=idle"), std::string::npos);
  EXPECT_NE(quick.Log().find("end=peer-closed"), std::string::npos);
}

TEST_F(UserServerTest, SplitAndDelayedRepliesReachTheKitsSingleReceiveInPieces) {
  AddFault("split,command=USERINFO,count=1,delay=300");
  AddFault("delay,command=HELLO,count=1,delay=300");
  LineClient kit(Port());
  auto start = std::chrono::steady_clock::now();
  kit.Send("HELLO\r\n");
  EXPECT_EQ(kit.ReceiveOnce().substr(0, 2), "OK");
  EXPECT_GE(std::chrono::steady_clock::now() - start, 250ms);
  kit.Send("USERINFO alta=1;userid=rosa;password=p;\r\n");
  EXPECT_EQ(kit.ReceiveOnce(), "OK");  // the single receive sees only the first piece
  EXPECT_EQ(kit.ReceiveOnce(), "\r\n");
  EXPECT_EQ(kit.Ask("USERINFO alta=1;userid=rosa;password=p;").rfind("ALREADYREG", 0),
            0u);  // used up
}

TEST_F(UserServerTest, SilenceCloseOversizeGarbageBusyAndOkLater) {
  AddFault("silence,command=GETUSER,count=1");
  LineClient a(Port());
  a.Send("GETUSER userid=x;password=y\r\n");
  EXPECT_EQ(a.ReceiveOnce(500ms), "");
  EXPECT_EQ(a.LastEnd(), Ended::Timeout);
  EXPECT_EQ(a.Ask("HELLO").rfind("OK", 0), 0u);  // the conversation goes on

  AddFault("close,command=HELLO,count=1");
  LineClient b(Port());
  b.Send("HELLO\r\n");
  EXPECT_EQ(b.WaitForEnd(2s), Ended::Eof);

  AddFault("oversize,command=HELLO,count=1");
  LineClient c(Port());
  std::string big = c.Ask("HELLO");
  EXPECT_EQ(big.size(), 70000u);
  EXPECT_EQ(big.rfind("OK", 0), 0u);

  AddFault("garbage,count=1");
  LineClient d(Port());
  std::string junk = d.Ask("HELLO");
  EXPECT_EQ(junk.size(), 66u);
  EXPECT_EQ(junk[0], '\0');  // the kit reads this as an empty reply

  AddFault("busy,count=1");
  AddFault("oklater,count=1");
  LineClient e(Port());
  EXPECT_EQ(e.Ask("USERINFO alta=1;userid=pepe;password=p;"), "BUSY\r\n");
  EXPECT_EQ(service_->GetStore().CountUsers(), 0);  // BUSY registers nothing
  EXPECT_EQ(e.Ask("USERINFO alta=1;userid=pepe;password=p;"), "OK-LATER\r\n");
  EXPECT_EQ(e.Ask("ACCOUNTINFO").rfind("userid=pepe;", 0), 0u);
  service_.Stop();
  EXPECT_NE(service_.Log().find(
                "USERINFO:BUSY USERINFO:OK-LATER ACCOUNTINFO userid=pepe fault=busy fault=oklater"),
            std::string::npos)
      << service_.Log();
}

}  // namespace
