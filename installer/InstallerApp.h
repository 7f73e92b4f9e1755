// InstallerApp: the installer's one application object. It owns every value that lives for
// the whole run and runs the start-up: sockets, install.ini, the referral identifier, then
// the wizard through the InstallerWizard seam.
#pragma once

#include <string>

#include "dialup/DialDevices.h"
#include "installer/AccessNode.h"
#include "installer/InstallConfig.h"
#include "installer/InstallerWizard.h"
#include "installer/StartupPlatform.h"
#include "installer/WizardRunFlags.h"
#include "signup/AccountRecord.h"
#include "signup/UserRecord.h"

namespace marvella {

class InstallerApp {
 public:
  // Members in the order of the application's data model.
  AccessNodeList accessNodes;
  DialDeviceList dialDevices;  // filled by the hardware page
  InstallConfig config;
  UserRecord user;
  std::string deviceType;  // chosen dial device: type and name (hardware page)
  std::string deviceName;
  std::string nodePhone;  // chosen access node's number (hardware page)
  bool remoteAccessInstalled = false;
  bool winsockReady = false;
  AccountRecord account;
  InstallerWizard* wizard = nullptr;  // the running wizard, from step 5 on
  // Run-wide flags, all false at start (installer/WizardRunFlags.h); the pages that own
  // others add theirs there.
  WizardRunFlags flags;

  // The whole start-up, steps 1 to 7; returns when the wizard has ended.
  void Run(StartupPlatform& platform, InstallerWizard& wizard);

  // Steps 3 and 4 on their own.
  void ReadConfiguration(StartupPlatform& platform);
  void TakeReferralIdentifier(const std::string& commandLine);
};

}  // namespace marvella
