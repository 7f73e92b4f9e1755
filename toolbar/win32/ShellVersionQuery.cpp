// The shell version query and the rules that use it.
#include "toolbar/win32/ShellVersionQuery.h"

#include "common/win32/Owned.h"
#include "common/win32/SystemLibrary.h"

#include <cstring>

namespace marvella {

namespace {

// DLLVERSIONINFO as Internet Explorer 4 defines it; the size field says which record it is.
struct VersionRecord {
  DWORD size;
  DWORD major;
  DWORD minor;
  DWORD build;
  DWORD platform;
};
static_assert(sizeof(VersionRecord) == 20, "the 20-byte version record");

using GetVersionFn = HRESULT(CALLBACK*)(VersionRecord*);

}  // namespace

HRESULT QueryShellVersion(unsigned* major, unsigned* minor) {
  if (!major || !minor) return E_INVALIDARG;
  *major = 0;
  *minor = 0;
  // By full path from the system directory, never by bare name: a shdocvw.dll planted in
  // the browser's current directory or beside a downloaded page must not run in it (the
  // same defence as the remote-access binding).
  OwnedModule library(LoadSystemLibrary("shdocvw.dll"));
  if (!library) return E_FAIL;
  GetVersionFn getVersion = reinterpret_cast<GetVersionFn>(
      reinterpret_cast<void*>(GetProcAddress(library.Get(), "DllGetVersion")));
  HRESULT result = E_FAIL;
  if (getVersion) {
    VersionRecord record = {};
    record.size = sizeof record;
    result = getVersion(&record);
    if (SUCCEEDED(result)) {
      *major = record.major;
      *minor = record.minor;
    }
  }
  return result;
}

bool ShellVersionServed(unsigned major, unsigned minor) {
  return major < 5 || (major == 5 && minor <= 52);
}

bool NeedsLogonRegistration(unsigned major, unsigned minor) {
  return major < 5 || (major == 5 && minor < 5);
}

bool HostPathContains(const char* part) {
  char path[MAX_PATH + 1] = "";
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  path[n < MAX_PATH ? n : MAX_PATH] = '\0';  // a cut path is still looked at
  CharLowerA(path);
  return std::strstr(path, part) != nullptr;
}

}  // namespace marvella
