// A machine without rasapi32.dll (Wine told to load none): the installer's operations end
// quietly with the binding's fixed results, and nothing reads what was never written.
#include <windows.h>

#include <gtest/gtest.h>

#include "dialup/SignUpDial.h"
#include "dialup/win32/RasLibrary.h"
#include "dialup/win32/RemoteAccess.h"
#include "tests/unit/dialup/Recorders.h"

namespace marvella {
namespace {

using Lines = std::vector<std::string>;

TEST(NoRemoteAccess, EveryOperationEndsQuietly) {
  test::RecordingSleeper sleeper;
  RasLibrary ras(sleeper);
  ASSERT_EQ(nullptr, RasLibrary::Module()) << "rasapi32.dll was loaded after all";

  EXPECT_FALSE(IsRemoteAccessInstalled());
  DialDeviceList list;
  list.Append("modem", "de antes");
  EXPECT_FALSE(EnumerateDialDevices(list, true, nullptr, "test"));
  EXPECT_EQ(0u, list.Count());
  EXPECT_FALSE(CreateDialEntry(test::UserEntry("Marvella", "0909", "u", "p")));
  EXPECT_EQ(0u, DeleteDialEntry("Marvella"));
  EXPECT_EQ(0u, HangUpConnection(ras, 5));
  EXPECT_TRUE(sleeper.waits.empty());  // nothing was hung up, nothing to wait for
}

TEST(NoRemoteAccess, DiallingEndsNotConnected) {
  test::RecordingSleeper sleeper;
  test::RecordingProgress progress;
  SignUpEntrySettings settings = test::AltaEntry();
  settings.dialPrefix = "";
  RasConnHandle connection = 0;
  RasLibrary ras(sleeper);
  EXPECT_EQ(DialResult::kNotConnected,
            DialSignUpEntry(ras, progress, sleeper, kResultsPageCaller, settings, connection));
  EXPECT_EQ((Lines{"Llamando al 909123456"}), progress.lines);
  EXPECT_EQ(0u, connection);
}

}  // namespace
}  // namespace marvella
