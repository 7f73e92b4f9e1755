// The sign-up dial: what is deleted, written and dialled, the progress lines the page
// shows, the waits of each caller, and how it ends on every answer of the system.
#include "dialup/SignUpDial.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/unit/dialup/FakeRas.h"

namespace marvella {
namespace {

using Lines = std::vector<std::string>;
using Waits = std::vector<unsigned>;

struct SignUpDialTest : ::testing::Test {
  test::RecordingSleeper sleeper;
  test::RecordingProgress progress;
  test::FakeRas ras{sleeper};
  SignUpEntrySettings settings = test::AltaEntry();
  RasConnHandle connection = 0;

  DialResult Dial(const DialCaller& caller = kResultsPageCaller) {
    return DialSignUpEntry(ras, progress, sleeper, caller, settings, connection);
  }
};

TEST_F(SignUpDialTest, RecreatesTheEntryAndDialsPrefixAndNumberAsOneText) {
  EXPECT_EQ(DialResult::kConnected, Dial());
  EXPECT_EQ((Lines{"RasDeleteEntry", "RasValidateEntryName", "RasSetEntryProperties",
                   "RasSetEntryDialParams", "RasSetCredentials", "RasDial", "RasGetConnectStatus"}),
            ras.calls);
  EXPECT_EQ((Lines{"Llamando al 0909123456", "Conectando"}), progress.lines);
  EXPECT_STREQ("0909123456", ras.entries[0].szLocalPhoneNumber);
  const RASDIALPARAMSA& p = ras.dialParams.back();  // the one given to RasDial
  EXPECT_EQ(1052u, p.dwSize);
  EXPECT_STREQ("Marvella Alta", p.szEntryName);
  EXPECT_STREQ("0909123456", p.szPhoneNumber);
  EXPECT_STREQ("alta", p.szUserName);
  EXPECT_STREQ("alta", p.szPassword);
  EXPECT_STREQ("", p.szCallbackNumber);
  EXPECT_EQ(0x51u, connection);
  EXPECT_EQ(0x51u, ras.statusHandles[0]);
  EXPECT_EQ(160u, ras.statusSizes[0]);
  EXPECT_TRUE(sleeper.waits.empty());
  EXPECT_FALSE(ras.nonNullPhonebook);
}

TEST_F(SignUpDialTest, AlreadyOnLineRecreatesTheEntryButPlacesNoCall) {
  settings.alreadyConnected = true;
  EXPECT_EQ(DialResult::kConnected, Dial());
  EXPECT_EQ((Lines{"Abriendo conexión con host remoto...", "Conectando"}), progress.lines);
  EXPECT_EQ('\xF3', progress.lines[0][15]);  // "ó" in code page 1252
  EXPECT_EQ((Lines{"RasDeleteEntry", "RasValidateEntryName", "RasSetEntryProperties",
                   "RasSetEntryDialParams", "RasSetCredentials"}),
            ras.calls);
  EXPECT_EQ(0u, connection);
}

TEST_F(SignUpDialTest, AFailedDialShowsTheSystemsTextAndKeepsItsHandle) {
  ras.dialResult = 676;
  EXPECT_EQ(DialResult::kFailed, Dial());
  EXPECT_EQ((Lines{"Llamando al 0909123456", "Error 676: la línea está ocupada."}), progress.lines);
  EXPECT_EQ(676u, ras.errorCodes[0]);
  EXPECT_EQ(512u, ras.errorBufferSizes[0]);
  EXPECT_EQ(0x51u, connection);  // hung up at the next press or when the page is left
}

TEST_F(SignUpDialTest, APlacedCallThatIsNotYetUpEndsSilentlyHoldingItsHandle) {
  ras.state = 5;  // authenticating
  EXPECT_EQ(DialResult::kNotConnected, Dial());
  EXPECT_EQ((Lines{"Llamando al 0909123456"}), progress.lines);
  EXPECT_EQ(0x51u, connection);

  progress.lines.clear();
  ras.state = kRasConnected;
  ras.statusResult = 6;  // the status could not be read: no state was written
  EXPECT_EQ(DialResult::kNotConnected, Dial());
  EXPECT_EQ((Lines{"Llamando al 0909123456"}), progress.lines);
}

TEST_F(SignUpDialTest, WithoutRemoteAccessItEndsNotConnectedAndReadsNoStatus) {
  ras.missing = true;  // RasDial "succeeds" and writes no handle
  EXPECT_EQ(DialResult::kNotConnected, Dial());
  EXPECT_EQ((Lines{"Llamando al 0909123456"}), progress.lines);
  EXPECT_EQ(0u, connection);
  EXPECT_TRUE(ras.statusHandles.empty());
}

TEST_F(SignUpDialTest, ResultsPageHangsUpWaitsAndForgetsItsHandleBeforeDiallingAgain) {
  connection = 0x33;
  ras.dialResult = 678;
  EXPECT_EQ(DialResult::kFailed, Dial(kResultsPageCaller));
  EXPECT_EQ(std::vector<RasConnHandle>{0x33}, ras.hungUp);
  EXPECT_EQ((Waits{2000, 2500}), sleeper.waits);
  EXPECT_EQ("RasHangUp", ras.calls[0]);
  EXPECT_EQ(std::vector<RasConnHandle>{0}, ras.dialInputHandles);
}

TEST_F(SignUpDialTest, UserTypePageHangsUpWithoutFurtherWaitAndGetsAFreshCall) {
  connection = 0x33;
  EXPECT_EQ(DialResult::kConnected, Dial(kUserTypePageCaller));
  EXPECT_EQ((Waits{2000}), sleeper.waits);
  // The stale handle is not passed back to the system, which would take it for a paused
  // dial to resume; the new one replaces it.
  EXPECT_EQ(std::vector<RasConnHandle>{0}, ras.dialInputHandles);
  EXPECT_EQ(0x51u, connection);
}

TEST_F(SignUpDialTest, PagesReleaseTheirConnectionWithTheirOwnWaits) {
  connection = 0x51;
  ReleaseConnection(ras, sleeper, connection, kResultsPageReleaseWaitMs);
  EXPECT_EQ((Waits{2000, 2500}), sleeper.waits);  // 4500 ms in all
  EXPECT_EQ(0u, connection);

  sleeper.waits.clear();
  connection = 0x52;
  ReleaseConnection(ras, sleeper, connection, kUserTypePageReleaseWaitMs);
  EXPECT_EQ((Waits{2000, 2000}), sleeper.waits);  // 4000 ms in all
  EXPECT_EQ((std::vector<RasConnHandle>{0x51, 0x52}), ras.hungUp);

  sleeper.waits.clear();
  ReleaseConnection(ras, sleeper, connection, kUserTypePageReleaseWaitMs);  // none held
  EXPECT_TRUE(sleeper.waits.empty());
  EXPECT_EQ(2u, ras.hungUp.size());
}

TEST_F(SignUpDialTest, ALongPrefixAndNumberAreCutToThePhoneField) {
  const std::string prefix(100, '0');
  const std::string number(100, '9');
  settings.dialPrefix = prefix.c_str();
  settings.accessNumber = number.c_str();
  Dial();
  const std::string dialled = prefix + std::string(28, '9');
  EXPECT_EQ(dialled, ras.dialParams.back().szPhoneNumber);
  EXPECT_EQ("Llamando al " + dialled, progress.lines[0]);
}

}  // namespace
}  // namespace marvella
