// Copying and registering tandem.dll with the system's own calls.
#include "installer/win32/SystemToolbarLibrary.h"

#include <windows.h>
#include <shellapi.h>

#include "common/PathText.h"
#include "installer/win32/InstallRecorder.h"

namespace marvella {

bool SystemToolbarLibrary::InstallToolbarLibrary() {
  bool started = marvella::InstallToolbarLibrary(*this);
  RecordToolbarLibrary(SystemDirectory() + "\\tandem.dll", started);
  return started;
}

std::string SystemToolbarLibrary::ProgramPath() {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  return n > 0 && n < sizeof path ? std::string(path, n) : std::string();
}

std::string SystemToolbarLibrary::SystemDirectory() {
  char path[MAX_PATH];
  UINT n = GetSystemDirectoryA(path, sizeof path);
  return n > 0 && n < sizeof path ? std::string(path, n) : std::string();
}

bool SystemToolbarLibrary::CopyReplacing(const std::string& from, const std::string& to) {
  return CopyFileA(from.c_str(), to.c_str(), FALSE) != FALSE;
}

void SystemToolbarLibrary::SetArchiveOnly(const std::string& path) {
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_ARCHIVE);
}

bool SystemToolbarLibrary::CanRead(const std::string& path) { return FileExists(path.c_str()); }

bool SystemToolbarLibrary::Start(const std::string& program, const std::string& parameters) {
  HINSTANCE r =
      ShellExecuteA(nullptr, "open", program.c_str(), parameters.c_str(), nullptr, SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(r) > 32;
}

}  // namespace marvella
