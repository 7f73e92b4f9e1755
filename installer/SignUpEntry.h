// The temporary sign-up entry as the pages dial it: install.ini's settings, the adapter,
// prefix and access number chosen on the hardware page, and the welcome page's choice.
#pragma once

#include "dialup/SignUpDial.h"
#include "installer/InstallerApp.h"

namespace marvella {

// The texts point into `app`, which must outlive the result and not change meanwhile.
inline SignUpEntrySettings SignUpEntryOf(const InstallerApp& app) {
  SignUpEntrySettings s;
  s.entryName = app.config.signUpEntryName.c_str();
  s.dialPrefix = app.account.dialPrefix.c_str();
  s.accessNumber = app.account.dialupnum.c_str();
  s.userName = app.config.signUpUserName.c_str();
  s.password = app.config.signUpPassword.c_str();
  s.primaryDns = app.config.signUpDns1.c_str();
  s.secondaryDns = app.config.signUpDns2.c_str();
  s.deviceType = app.deviceType.c_str();
  s.deviceName = app.deviceName.c_str();
  s.alreadyConnected = app.flags.alreadyConnected;
  return s;
}

}  // namespace marvella
