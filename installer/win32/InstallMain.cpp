// install.exe entry point: the application object's start-up runs the whole installation.
#include <windows.h>

#include "installer/InstallerApp.h"
#include "installer/win32/InstallerWizardFactory.h"
#include "installer/win32/Win32StartupPlatform.h"

namespace {

// The one application object of the process.
marvella::InstallerApp theApp;

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  marvella::Win32StartupPlatform platform;
  std::unique_ptr<marvella::InstallerWizard> wizard = marvella::CreateInstallerWizard();
  theApp.Run(platform, *wizard);
  return 0;
}
