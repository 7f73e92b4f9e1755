// The user server over real sockets: concurrent sign-ups, and each fault mode as the kit's
// single receive sees it on the wire.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "tests/unit/devservice/DevServiceTestSupport.h"

namespace {

using namespace std::chrono_literals;
using devservice_test::Ended;
using devservice_test::LineClient;
using devservice_test::SignUp;
using devservice_test::TestService;

TEST(UserServer, ConcurrentSignUpsCreateOneAccountEach) {
  TestService service;
  std::vector<std::thread> clients;
  std::vector<std::string> replies(40);
  for (int i = 0; i < 40; ++i) {
    clients.emplace_back([&, i] {
      replies[i] = SignUp(service->UserPort(), "user" + std::to_string(i % 20), "pw");
    });
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
  EXPECT_EQ(service->GetStore().CountAccounts(), 20);
}

// Each rule is used up by its row: the next command on the same connection gets a normal
// reply. `once` reads with one receive call, as the kit does; otherwise up to a line feed.
TEST(UserServer, FaultModesOnTheWire) {
  const struct {
    const char* rule;
    const char* line;
    bool once;
    std::string replyStart;
    std::size_t replySize;  // 0: any
    Ended end;
  } rows[] = {
      {"busy,count=1", "USERINFO alta=1;userid=pepe;password=p;", false, "BUSY\r\n", 6,
       Ended::Open},
      {"oklater,count=1", "USERINFO alta=1;userid=pepe;password=p;", false, "OK-LATER\r\n", 10,
       Ended::Open},
      {"split,command=USERINFO,count=1,delay=300", "USERINFO alta=1;userid=rosa;password=p;", true,
       "OK", 2, Ended::Open},
      {"silence,command=GETUSER,count=1", "GETUSER userid=pepe;password=p", false, "", 0,
       Ended::Timeout},
      {"close,command=HELLO,count=1", "HELLO", false, "", 0, Ended::Eof},
      // Beyond the kit's 64000-byte reply buffer.
      {"oversize,command=HELLO,count=1", "HELLO", false, "OK", 70000, Ended::Open},
      {"garbage,count=1", "HELLO", false, std::string(1, '\0'), 0, Ended::Open},
  };
  TestService service;
  for (const auto& row : rows) {
    devservice::Fault f;
    std::string error;
    ASSERT_TRUE(devservice::ParseFault(devservice::FaultScope::User, row.rule, &f, &error))
        << error;
    service->GetFaults().Add(devservice::FaultScope::User, f);
    LineClient kit(service->UserPort());
    kit.Send(std::string(row.line) + "\r\n");
    std::string reply = row.once ? kit.ReceiveOnce() : kit.ReceiveLine(1500ms);
    EXPECT_EQ(reply.substr(0, row.replyStart.size()), row.replyStart) << row.rule;
    if (row.replySize) {
      EXPECT_EQ(reply.size(), row.replySize) << row.rule;
    }
    EXPECT_EQ(kit.LastEnd(), row.end) << row.rule;
    if (row.end == Ended::Eof) continue;
    if (row.once) {
      EXPECT_EQ(kit.ReceiveOnce(), "\r\n");  // the rest of the split reply
    }
    EXPECT_EQ(kit.Ask("HELLO").rfind("OK", 0), 0u) << row.rule;
  }
  // BUSY registered nothing; OK-LATER registered pepe, the split reply rosa.
  EXPECT_EQ(service->GetStore().CountUsers(), 2);
}

}  // namespace
