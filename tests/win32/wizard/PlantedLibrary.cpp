// A library planted beside install.exe under a system library's name: loaded, it leaves a
// mark ("planted-<its file name>.txt" in its own folder), so a test sees that it ran.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, void*) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  char path[MAX_PATH] = {};
  DWORD n = GetModuleFileNameA(module, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH - 16) return TRUE;
  char* name = path + n;
  while (name > path && name[-1] != '\\' && name[-1] != '/') --name;
  char mark[MAX_PATH + 16] = {};
  lstrcpynA(mark, path, static_cast<int>(name - path) + 1);
  lstrcatA(mark, "planted-");
  lstrcatA(mark, name);
  lstrcatA(mark, ".txt");
  HANDLE file = CreateFileA(mark, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  return TRUE;
}
