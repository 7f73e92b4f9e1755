// The installer's start-up: the referral identifier and the order of its steps.
#include "installer/InstallerApp.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/ProfileReader.h"
#include "installer/ReferralIdentifier.h"
#include "tests/unit/common/RecordingMessageSink.h"

namespace marvella::test {
namespace {

TEST(ReferralIdentifier, TextBetweenTheFirstDashAndTheLastDot) {
  EXPECT_EQ("pepe", ReferralIdentifierOf("install-pepe.exe"));
  EXPECT_EQ("", ReferralIdentifierOf("install.exe"));
  EXPECT_EQ("a-b.c", ReferralIdentifierOf("alta-a-b.c.exe"));
  EXPECT_EQ("", ReferralIdentifierOf("install-pepe"));
  EXPECT_EQ("juan", ReferralIdentifierOf("C:\\mis-descargas\\install-juan.exe"));
  EXPECT_EQ("", ReferralIdentifierOf("C:\\mis-descargas.d\\install.exe")) << "only the file name";
  EXPECT_EQ("", ReferralIdentifierOf("install-.exe"));
  EXPECT_EQ("", ReferralIdentifierOf(""));
}

TEST(ReferralIdentifier, DashAfterTheLastDotGivesNothing) {
  EXPECT_EQ("", ReferralIdentifierOf("install.exe-pepe"));
  EXPECT_EQ("", ReferralIdentifierOf("a.b-c"));
  EXPECT_EQ("", ReferralIdentifierOf("-"));
  EXPECT_EQ("", ReferralIdentifierOf("."));
  EXPECT_EQ("", ReferralIdentifierOf("-."));
  EXPECT_EQ(".", ReferralIdentifierOf("-..")) << "between the first - and the last .";
}

TEST(ReferralIdentifier, KeepsAtMost127Characters) {
  std::string id(300, 'j');
  EXPECT_EQ(std::string(127, 'j'), ReferralIdentifierOf("install-" + id + ".exe"));
  EXPECT_EQ(std::string(127, 'j'),
            ReferralIdentifierOf("install-" + std::string(127, 'j') + ".exe"));
  EXPECT_EQ(std::string(126, 'j'),
            ReferralIdentifierOf("install-" + std::string(126, 'j') + ".exe"));
}

TEST(ReferralIdentifier, ProgramPathIsTheFirstCommandLineToken) {
  EXPECT_EQ("C:\\Mis descargas\\install-ana.exe",
            FirstCommandLineToken("\"C:\\Mis descargas\\install-ana.exe\" /x y"));
  EXPECT_EQ("install-ana.exe", FirstCommandLineToken("install-ana.exe /x"));
  EXPECT_EQ("install-ana.exe", FirstCommandLineToken("  install-ana.exe"));
  EXPECT_EQ("C:\\a b", FirstCommandLineToken("\"C:\\a b"));
  EXPECT_EQ("", FirstCommandLineToken(""));
  EXPECT_EQ("", FirstCommandLineToken("\"\" x"));
}

// Records the start-up's calls in order.
class RecordingPlatform final : public StartupPlatform, public InstallerWizard {
 public:
  void PrepareUserInterface() override { calls.push_back("ui"); }
  bool StartSockets() override {
    calls.push_back("sockets");
    return socketsStart;
  }
  std::string ProgramPath() override { return "C:\\Descargas\\install-luis.exe"; }
  std::string CommandLine() override { return commandLine; }
  ProfileSource& OpenProfile(const std::string& path) override {
    calls.push_back("ini " + path);
    reader = std::make_unique<ProfileReader>(iniText);
    return *reader;
  }
  MessageSink& Messages() override { return messages; }

  void Build(InstallerApp& app) override {
    calls.push_back("build");
    EXPECT_EQ(this, app.wizard) << "the wizard is recorded before it is built";
    friendAtBuild = app.user.friendid;
    nodesAtBuild = app.accessNodes.size();
  }
  bool InstallToolbarLibrary(InstallerApp&) override {
    calls.push_back("toolbar");
    return false;
  }
  void RunModal(InstallerApp&) override { calls.push_back("run"); }

  std::vector<std::string> calls;
  bool socketsStart = true;
  std::string commandLine = "\"C:\\Descargas\\install-luis.exe\"";
  std::string iniText =
      "[UserServer]\r\nProfileName=Alta\r\n[Nodes]\r\nCity1=A\r\nState1=B\r\nPhone1=1\r\n";
  std::unique_ptr<ProfileReader> reader;
  RecordingMessageSink messages;
  std::string friendAtBuild;
  size_t nodesAtBuild = 0;
};

TEST(InstallerStartup, StepsRunInOrderAndFillTheApplication) {
  RecordingPlatform platform;
  InstallerApp app;
  app.Run(platform, platform);
  EXPECT_EQ((std::vector<std::string>{"ui", "sockets", "ini C:\\Descargas\\install.ini", "build",
                                      "toolbar", "run"}),
            platform.calls);
  EXPECT_TRUE(app.winsockReady);
  EXPECT_EQ("Alta", app.config.signUpEntryName);
  EXPECT_EQ("luis", platform.friendAtBuild);
  EXPECT_EQ(1u, platform.nodesAtBuild);
  EXPECT_TRUE(platform.messages.shown.empty());
  EXPECT_EQ(nullptr, app.wizard) << "the wizard is gone when start-up returns";
  EXPECT_FALSE(app.flags.alreadyConnected);
}

TEST(InstallerStartup, FailuresDoNotStopIt) {
  RecordingPlatform platform;
  platform.socketsStart = false;
  platform.iniText = "";
  platform.commandLine = "";
  InstallerApp app;
  app.user.friendid = "kept";
  app.Run(platform, platform);
  EXPECT_FALSE(app.winsockReady);
  ASSERT_EQ(1u, platform.messages.shown.size());
  EXPECT_EQ("No puedo leer fichero C:\\Descargas\\install.ini", platform.messages.shown[0].text);
  EXPECT_EQ("kept", app.user.friendid) << "no program path on the command line: nothing taken";
  EXPECT_EQ("run", platform.calls.back());
}

TEST(InstallerStartup, ProgramNameWithoutReferralClearsNothingElse) {
  InstallerApp app;
  app.TakeReferralIdentifier("install.exe");
  EXPECT_EQ("", app.user.friendid);
  app.TakeReferralIdentifier("\"C:\\x\\install-ana.b.exe\" -y");
  EXPECT_EQ("ana.b", app.user.friendid);
  EXPECT_EQ("19700101", app.user.birth);
}

}  // namespace
}  // namespace marvella::test
