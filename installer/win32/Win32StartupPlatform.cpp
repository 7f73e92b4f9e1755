// The system side of the installer's start-up.
#include "installer/win32/Win32StartupPlatform.h"

#include <ole2.h>

#include "common/win32/CommonControls.h"

#include "signup/win32/WinsockLineChannel.h"

namespace marvella {

void Win32StartupPlatform::PrepareUserInterface() {
  // Dialog templates carry DS_3DLOOK, which gives the three-dimensional look on every
  // supported system; the common controls are the wizard's (property sheet, lists).
  InitSystemCommonControls();
  // The desktop shortcut is made through a COM object on this thread.
  (void)OleInitialize(nullptr);
}

bool Win32StartupPlatform::StartSockets() { return StartWinsock(); }

std::string Win32StartupPlatform::ProgramPath() {
  char path[MAX_PATH + 1] = {};
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  path[n < MAX_PATH ? n : MAX_PATH] = '\0';
  return path;
}

std::string Win32StartupPlatform::CommandLine() {
  const char* line = GetCommandLineA();
  return line ? line : "";
}

ProfileSource& Win32StartupPlatform::OpenProfile(const std::string& path) {
  profile_ = std::make_unique<PrivateProfileSource>(path);
  return *profile_;
}

}  // namespace marvella
