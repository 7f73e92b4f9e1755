// The installer's start-up, in its order.
#include "installer/InstallerApp.h"

#include "installer/InstallIni.h"
#include "installer/ReferralIdentifier.h"

namespace marvella {

void InstallerApp::ReadConfiguration(StartupPlatform& platform) {
  std::string iniPath = InstallIniPath(platform.ProgramPath());
  ReadInstallIni(platform.OpenProfile(iniPath), iniPath, platform.Messages(), config, account,
                 accessNodes);
}

void InstallerApp::TakeReferralIdentifier(const std::string& commandLine) {
  std::string programPath = FirstCommandLineToken(commandLine);
  if (programPath.empty()) return;
  user.friendid = ReferralIdentifierOf(programPath);
}

void InstallerApp::Run(StartupPlatform& platform, InstallerWizard& wizardImpl) {
  platform.PrepareUserInterface();
  winsockReady = platform.StartSockets();
  ReadConfiguration(platform);
  TakeReferralIdentifier(platform.CommandLine());
  wizard = &wizardImpl;
  wizardImpl.Build(*this);
  (void)wizardImpl.InstallToolbarLibrary(*this);
  wizardImpl.RunModal(*this);
  wizard = nullptr;
}

}  // namespace marvella
