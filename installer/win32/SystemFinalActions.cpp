// The final actions through the system's own calls.
#include "installer/win32/SystemFinalActions.h"

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include "common/win32/Owned.h"
#include "common/win32/RegistryText.h"
#include "dialup/win32/RemoteAccess.h"

namespace marvella {
namespace {

constexpr int kMonitorResource = 156;
constexpr char kShellFoldersKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kBrowserMainKey[] = "Software\\Microsoft\\Internet Explorer\\Main";

// COM for the calling thread while the object lives; the shell-link object needs it.
class ComScope {
 public:
  ComScope() : initialised_(SUCCEEDED(CoInitialize(nullptr))) {}
  ~ComScope() {
    if (initialised_) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool initialised_;
};


}  // namespace

bool SystemFinalActions::CreateDialEntry(const DialEntrySettings& entry) {
  return marvella::CreateDialEntry(entry);
}

std::string SystemFinalActions::WindowsDirectory() {
  char path[MAX_PATH];
  UINT n = GetWindowsDirectoryA(path, sizeof path);
  if (n == 0 || n >= sizeof path) return std::string();
  std::string directory(path, n);
  // A Windows directory at the root of a drive ends in "\": do not double it.
  while (!directory.empty() && directory.back() == '\\') directory.pop_back();
  return directory;
}

bool SystemFinalActions::WriteMonitorProgram(const std::string& path) {
  HRSRC found = FindResourceA(resources_, MAKEINTRESOURCEA(kMonitorResource), "OURDATA");
  HGLOBAL loaded = found ? LoadResource(resources_, found) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  DWORD size = found ? SizeofResource(resources_, found) : 0;
  if (!bytes || size == 0) return false;  // an empty file would not be the monitor
  OwnedFile file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  return WriteFile(file.Get(), bytes, size, &written, nullptr) && written == size;
}

std::string SystemFinalActions::DesktopDirectory() {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kShellFoldersKey, 0, KEY_QUERY_VALUE, &opened) !=
      ERROR_SUCCESS)
    return std::string();
  OwnedKey key(opened);
  char path[MAX_PATH + 1] = {};
  DWORD size = MAX_PATH;  // one byte stays zero whatever the value holds
  DWORD type = 0;
  LONG r =
      RegQueryValueExA(key.Get(), "Desktop", nullptr, &type, reinterpret_cast<BYTE*>(path), &size);
  if (r != ERROR_SUCCESS) return std::string();
  return FolderOfValue(type, path);
}

std::string FolderOfValue(DWORD type, const char* value) {
  if (type == REG_SZ) return std::string(value);
  if (type != REG_EXPAND_SZ) return std::string();
  // "%USERPROFILE%\Escritorio" and the like: the folder is what the variables name.
  char expanded[MAX_PATH + 1] = {};
  DWORD n = ExpandEnvironmentStringsA(value, expanded, MAX_PATH);
  if (n == 0 || n > MAX_PATH) return std::string();  // too long for a path
  return std::string(expanded);
}

bool SystemFinalActions::SaveShortcut(const ShortcutSettings& shortcut) {
  ComScope com;
  IShellLinkA* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&link))))
    return false;
  link->SetPath(shortcut.target.c_str());
  link->SetDescription(shortcut.description.c_str());
  link->SetArguments(shortcut.arguments.c_str());
  link->SetIconLocation(shortcut.iconPath.c_str(), 0);
  bool saved = false;
  IPersistFile* file = nullptr;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    WCHAR wide[MAX_PATH];
    if (MultiByteToWideChar(CP_ACP, 0, shortcut.path.c_str(), -1, wide, MAX_PATH) > 0)
      saved = SUCCEEDED(file->Save(wide, TRUE));
    file->Release();
  }
  link->Release();
  return saved;
}

bool SystemFinalActions::OpenAddress(const std::string& address) {
  // The shell may need COM on this thread (a fetched account's worker has none of its own),
  // and may reach the browser by a DDE conversation that would die with the thread: wait
  // for it to end.
  ComScope com;
  SHELLEXECUTEINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_FLAG_DDEWAIT;
  info.lpVerb = "open";
  info.lpFile = address.c_str();
  info.nShow = SW_SHOWNORMAL;
  return ShellExecuteExA(&info) && reinterpret_cast<INT_PTR>(info.hInstApp) > 32;
}

bool SystemFinalActions::SetStartPage(const std::string& address) {
  bool any = false;
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, kBrowserMainKey, 0, KEY_SET_VALUE, &opened) != ERROR_SUCCESS) continue;
    OwnedKey key(opened);
    bool both = WriteRegistryText(key.Get(), "Start Page", address.c_str());
    both = WriteRegistryText(key.Get(), "Default_Page_URL", address.c_str()) && both;
    any = any || both;
  }
  return any;
}

}  // namespace marvella
