// Time of a whole RegisterNewUser (HELLO, USERINFO, ACCOUNTINFO, QUIT) against a scripted
// server on loopback, beside the bare round trips of the same four commands read with one
// receive each. The difference is what reply reassembly costs per command.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "signup/RecordEncoding.h"
#include "signup/UserServerSession.h"
#include "signup/posix/PosixLineChannel.h"
#include "tests/unit/signup/ScriptedServer.h"

using namespace marvella;
using namespace marvella::test;
using Clock = std::chrono::steady_clock;

namespace {

const char kAccount[] =
    "userid=ana;pass=pw1;dns1=10.0.0.1;dns2=10.0.0.2;smtp=correo;idwebmail=ana;"
    "pagpers=http://p/~ana\r\n";

class NoWait final : public WaitIndicator {
 public:
  void BeginWait() override {}
  void RestoreWait() override {}
  void EndWait() override {}
};

class NoPrompt final : public RetryPrompt {
 public:
  std::string AskNewIdentifier(const ItemList&, UserRecord&) override { return {}; }
  std::string AskNewAlias() override { return {}; }
};

std::vector<ServerReply> Script(unsigned pieces) {
  std::string account = kAccount;
  std::vector<size_t> cuts;
  for (unsigned i = 1; i < pieces; ++i) cuts.push_back(account.size() * i / pieces);
  return {Send("HELLO marvella\r\n"), Send("OK\r\n"), Send(account, cuts, 20)};
}

UserRecord Record() {
  UserRecord user;
  user.alta = "1";
  user.userid = "ana.p";
  user.password = "secreta";
  user.name = "Ana";
  user.surname = "P\xE9rez";
  user.email = "ana@correo.es";
  return user;
}

double Milliseconds(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

// The four commands with one receive per reply: the bare round trips.
double BareRoundTrips(int runs) {
  Clock::duration total{};
  UserRecord user = Record();
  for (int i = 0; i < runs; ++i) {
    ScriptedServer server(Script(1));
    PosixLineChannel channel;
    char buffer[64000];
    auto start = Clock::now();
    channel.Connect("127.0.0.1", server.port(), 30000);
    for (const std::string& line :
         {std::string("HELLO\r\n"), EncodeUserInfo(user), std::string("ACCOUNTINFO\r\n")}) {
      channel.Send(line.data(), line.size());
      channel.Receive(buffer, sizeof buffer - 1, 60000);
    }
    channel.Send("QUIT\r\n", 6);
    channel.Close();
    total += Clock::now() - start;
    server.Commands();
  }
  return Milliseconds(total) / runs;
}

double Registrations(int runs, unsigned pieces) {
  Clock::duration total{};
  for (int i = 0; i < runs; ++i) {
    ScriptedServer server(Script(pieces));
    PosixLineChannel channel;
    NoWait wait;
    NoPrompt prompt;
    UserRecord user = Record();
    AccountRecord account;
    std::string error;
    UserServerSession session(channel, wait, "127.0.0.1", std::to_string(server.port()));
    auto start = Clock::now();
    SignUpResult r = session.RegisterNewUser(error, user, account, prompt);
    total += Clock::now() - start;
    server.Commands();
    if (r != SignUpResult::Accepted || account.pagpers != "http://p/~ana") {
      std::printf("RegisterNewUser did not complete (result %d)\n", static_cast<int>(r));
      return -1;
    }
  }
  return Milliseconds(total) / runs;
}

}  // namespace

int main() {
  const int runs = 10;
  const int commandsWithReplies = 3;  // QUIT has none
  double bare = BareRoundTrips(runs);
  double whole = Registrations(runs, 1);
  double split = Registrations(runs, 4);
  if (whole < 0 || split < 0) return 1;
  std::printf("RegisterNewUser against a loopback server, mean of %d runs (default waits)\n", runs);
  std::printf("  bare round trips, one receive per reply:     %8.1f ms\n", bare);
  std::printf("  RegisterNewUser, replies whole:              %8.1f ms\n", whole);
  std::printf("  RegisterNewUser, account reply in 4 pieces:  %8.1f ms\n", split);
  std::printf("  reassembly cost per command (whole replies): %8.1f ms (limit about 250 ms)\n",
              (whole - bare) / commandsWithReplies);
  return (whole - bare) / commandsWithReplies <= 250.0 ? 0 : 1;
}
