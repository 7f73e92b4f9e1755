// The monitor's two decisions: which dialler to start with which parameters, and whether a
// connection is up, whatever the system answers.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "monitor/ConnectionCheck.h"
#include "monitor/DiallerCommand.h"

namespace marvella {
namespace {

TEST(DiallerCommand, NtDialsWithRasphoneAndWindows9xWithRnaDial) {
  DiallerCommand c;
  ChooseDiallerCommand(true, "Marvella", c);
  EXPECT_STREQ("rasphone.exe", c.program);
  EXPECT_STREQ("Marvella", c.parameters);
  ChooseDiallerCommand(false, "Marvella", c);
  EXPECT_STREQ("rundll32.exe", c.program);
  EXPECT_STREQ("rnaui.dll,RnaDial Marvella", c.parameters);
  // The command line is the entry name as it stands: quotes and blanks included.
  ChooseDiallerCommand(false, "\"Mi conexión\" 2", c);
  EXPECT_STREQ("rnaui.dll,RnaDial \"Mi conexión\" 2", c.parameters);
}

TEST(DiallerCommand, AnEmptyCommandLineStillDialsAndALongOneIsCut) {
  DiallerCommand c;
  ChooseDiallerCommand(true, "", c);
  EXPECT_STREQ("", c.parameters);
  ChooseDiallerCommand(false, nullptr, c);
  EXPECT_STREQ("rnaui.dll,RnaDial ", c.parameters);

  const std::string name(300, 'n');
  ChooseDiallerCommand(false, name.c_str(), c);
  EXPECT_EQ("rnaui.dll,RnaDial " + std::string(181, 'n'), c.parameters);
  ChooseDiallerCommand(true, name.c_str(), c);
  EXPECT_EQ(std::string(199, 'n'), c.parameters);
}

struct Connection {
  RasConnHandle handle;
  std::uint32_t statusResult;
  std::uint32_t state;
};

class FakeConnections : public ConnectionSource {
 public:
  std::vector<Connection> connections;
  std::uint32_t enumResult = 0;
  std::uint32_t claimedCount = 0;  // when set, reported instead of the real count
  std::uint32_t sizeSeen = 0, firstSizeSeen = 0;
  std::vector<RasConnHandle> queried;

  std::uint32_t RasEnumConnections(RASCONNA* c, std::uint32_t* size,
                                   std::uint32_t* count) override {
    sizeSeen = *size;
    firstSizeSeen = c[0].dwSize;
    for (std::size_t i = 0; i < connections.size(); ++i) {
      c[i].dwSize = sizeof(RASCONNA);
      c[i].hrasconn = connections[i].handle;
    }
    *count = claimedCount ? claimedCount : std::uint32_t(connections.size());
    return enumResult;
  }
  std::uint32_t RasGetConnectStatus(RasConnHandle h, RASCONNSTATUSA* status) override {
    queried.push_back(h);
    if (status->dwSize != sizeof(RASCONNSTATUSA)) return 632;
    for (const Connection& c : connections) {
      if (c.handle != h) continue;
      if (c.statusResult == 0) status->rasconnstate = c.state;
      return c.statusResult;
    }
    return 6;
  }
};

TEST(IsAnyConnectionUp, OnlyAConnectedStateCountsAndAnyConnectionWill) {
  FakeConnections fake;
  EXPECT_FALSE(IsAnyConnectionUp(fake));  // LAN only: nothing to find
  EXPECT_EQ(52736u, fake.sizeSeen);
  EXPECT_EQ(412u, fake.firstSizeSeen);

  fake.connections = {{7, 0, 5 /* authenticating */}};
  EXPECT_FALSE(IsAnyConnectionUp(fake));
  fake.connections.push_back({9, 0, kRasConnected});  // someone else's connection
  EXPECT_TRUE(IsAnyConnectionUp(fake));
  EXPECT_EQ((std::vector<RasConnHandle>{7, 7, 9}), fake.queried);
}

TEST(IsAnyConnectionUp, FailuresCountAsNotUpAndNullHandlesAreSkipped) {
  FakeConnections fake;
  fake.connections = {{0, 0, kRasConnected}, {4, 6, kRasConnected}};
  EXPECT_FALSE(IsAnyConnectionUp(fake));
  EXPECT_EQ(std::vector<RasConnHandle>{4}, fake.queried);  // the null handle is not asked

  fake.connections = {{5, 0, kRasConnected}};
  fake.enumResult = 603;
  EXPECT_FALSE(IsAnyConnectionUp(fake));
}

TEST(IsAnyConnectionUp, ACountBeyondTheArrayIsNotBelieved) {
  FakeConnections fake;
  fake.connections = {{3, 0, 5}};
  fake.claimedCount = 100000;
  EXPECT_FALSE(IsAnyConnectionUp(fake));
  // Records past the first are empty (null handles); nothing past 128 is touched.
  EXPECT_EQ(std::vector<RasConnHandle>{3}, fake.queried);
}

}  // namespace
}  // namespace marvella
