// StartupPlatform of install.exe: the real system calls of the start-up.
#pragma once

#include <windows.h>

#include <memory>

#include "common/win32/MessageBoxSink.h"
#include "common/win32/PrivateProfileSource.h"
#include "installer/StartupPlatform.h"

namespace marvella {

class Win32StartupPlatform : public StartupPlatform {
 public:
  void PrepareUserInterface() override;
  bool StartSockets() override;
  std::string ProgramPath() override;
  std::string CommandLine() override;
  ProfileSource& OpenProfile(const std::string& path) override;
  MessageSink& Messages() override { return messages_; }

 private:
  std::unique_ptr<PrivateProfileSource> profile_;
  MessageBoxSink messages_;
};

}  // namespace marvella
