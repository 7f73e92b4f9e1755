// A test group that asks CTest for a running devservice (DEVSERVICE in CMakeLists.txt):
// the addresses arrive in the environment, and the service is fresh and ours to move.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/unit/devservice/DevServiceTestSupport.h"

namespace {

int EnvPort(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::atoi(value) : 0;
}

TEST(DevServiceFixture, TheServiceOfTheFixtureIsRunningAndFresh) {
  int userPort = EnvPort("MARVELLA_DEVSERVICE_USER_PORT");
  int httpPort = EnvPort("MARVELLA_DEVSERVICE_HTTP_PORT");
  ASSERT_GT(userPort, 0) << "no MARVELLA_DEVSERVICE_USER_PORT: is the fixture running?";
  ASSERT_GT(httpPort, 0);
  EXPECT_EQ(std::string(std::getenv("MARVELLA_DEVSERVICE_URL")),
            "http://127.0.0.1:" + std::to_string(httpPort));
  EXPECT_EQ(devservice_test::SignUp(userPort, "fixture", "pw").rfind("userid=fixture;", 0), 0u);
  // Values move through the admin endpoint (or `$MARVELLA_DEVSERVICE_EXE --data-dir
  // $MARVELLA_DEVSERVICE_DATA --ctl set mail=2`).
  EXPECT_EQ(devservice_test::RawGet(httpPort, "/admin/set?mail=2").status, 200);
  std::string page = devservice_test::RawGet(httpPort, "/cgi-bin/mailtand").body;
  EXPECT_EQ(devservice_test::HiddenField(page, "WEBMAIL"), "2");
}

}  // namespace
