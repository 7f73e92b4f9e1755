// Which key says remote access is set up, per version of Windows, and what counts as a
// library that answers.
#include "dialup/RemoteAccessCheck.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/unit/dialup/FakeRas.h"

namespace marvella {
namespace {

std::string Key(std::uint32_t platform, std::uint32_t major, std::uint32_t minor) {
  const char* key = RemoteAccessKeyFor(platform, major, minor);
  return key ? key : "(none)";
}

TEST(RemoteAccessCheck, Windows95TestsTheNetworkProviderAndEveryLaterVersionTheService) {
  const std::string service = "system\\currentcontrolset\\services\\remoteaccess";
  const std::string provider = service + "\\networkprovider";
  EXPECT_EQ(provider, Key(kPlatformWin32Windows, 4, 0));  // Windows 95
  EXPECT_EQ(provider, Key(kPlatformWin32Windows, 4, 8));
  EXPECT_EQ(service, Key(kPlatformWin32Windows, 4, 9));
  EXPECT_EQ(service, Key(kPlatformWin32Windows, 4, 10));  // Windows 98: 10 is not below 9
  EXPECT_EQ(service, Key(kPlatformWin32Windows, 4, 90));  // Windows Me
  EXPECT_EQ(service, Key(kPlatformWin32Windows, 5, 0));
  EXPECT_EQ(service, Key(kPlatformWin32Nt, 4, 0));  // NT 4
  EXPECT_EQ(service, Key(kPlatformWin32Nt, 5, 0));  // 2000
  EXPECT_EQ("(none)", Key(0, 3, 95));               // Win32s
  EXPECT_EQ("(none)", Key(kPlatformWin32Windows, 3, 95));
  EXPECT_EQ("(none)", Key(3, 5, 0));
}

TEST(RemoteAccessCheck, OnlyTheMissingValueOfTheSizeQueryMeansNoRemoteAccess) {
  test::RecordingSleeper sleeper;
  test::FakeRas ras(sleeper);
  ras.devices = {test::Device("modem", "Módem")};
  EXPECT_TRUE(RemoteAccessAnswers(ras));  // 603, buffer too small
  ras.devices.clear();
  EXPECT_TRUE(RemoteAccessAnswers(ras));  // 0: nothing to list is still an answer
  ras.missing = true;
  EXPECT_FALSE(RemoteAccessAnswers(ras));
}

}  // namespace
}  // namespace marvella
