// Recording through the registry (monitor/win32/RegistryRecord.h) and a plain text log.
#include "installer/win32/InstallRecorder.h"

#include <cstring>

#include "common/BoundedText.h"
#include "common/win32/Owned.h"
#include "common/win32/RegistryText.h"
#include "dialup/RasTypes.h"
#include "installer/PendingDeletion.h"
#include "monitor/win32/RegistryRecord.h"

namespace marvella {
namespace {

HKEY RootOf(BrowserRoot root) {
  return root == BrowserRoot::kMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

// A start-page value: 1 present (in `out`), 0 absent, -1 present but not readable whole.
int ReadPage(const StartPageSlot& slot, char* out) {
  out[0] = '\0';
  HKEY opened;
  if (RegOpenKeyExA(RootOf(slot.root), kBrowserMainKeyName, 0, KEY_QUERY_VALUE, &opened) !=
      ERROR_SUCCESS)
    return 0;
  OwnedKey key(opened);
  DWORD size = kRecordTextSize - 1;
  LONG r = RegQueryValueExA(key.Get(), slot.value, nullptr, nullptr, reinterpret_cast<BYTE*>(out),
                            &size);
  if (r == ERROR_FILE_NOT_FOUND) return 0;
  if (r != ERROR_SUCCESS) return -1;
  out[size] = '\0';
  return 1;
}

// Display name, the monitor's icon, the quoted uninstall command; no modify or repair.
bool WriteUninstallEntry(const std::string& monitor) {
  char command[MAX_PATH + 32];
  if (!FormatBounded(command, sizeof command, "\"%s\" %s", monitor.c_str(), kUninstallSwitch))
    return false;
  HKEY created;
  // The registry answers its error rather than setting the thread's: the log reads that.
  LONG r = RegCreateKeyExA(HKEY_LOCAL_MACHINE, kUninstallEntryKey, 0, nullptr,
                           REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &created, nullptr);
  SetLastError(static_cast<DWORD>(r));
  if (r != ERROR_SUCCESS) return false;
  OwnedKey key(created);
  const DWORD one = 1;
  bool done = WriteRegistryText(key.Get(), "DisplayName", kUninstallDisplayName) &&
              WriteRegistryText(key.Get(), "DisplayIcon", monitor.c_str()) &&
              WriteRegistryText(key.Get(), "UninstallString", command);
  for (const char* name : {"NoModify", "NoRepair"})
    done = RegSetValueExA(key.Get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one),
                          sizeof one) == ERROR_SUCCESS &&
           done;
  return done;
}

// An uninstall before this installation may have left the file to be deleted at the next
// start (it was in use): the restart would take the copy just written.
void CancelDeletionAtRestart(const std::string& path) {
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof version;
  if (GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT) {
    const char* const kName = "PendingFileRenameOperations";
    HKEY opened;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager", 0,
                      KEY_QUERY_VALUE | KEY_SET_VALUE, &opened) != ERROR_SUCCESS)
      return;
    OwnedKey owner(opened);
    HKEY key = owner.Get();
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key, kName, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        type == REG_MULTI_SZ && size > 1) {
      std::string list(size + 1, '\0');
      if (RegQueryValueExA(key, kName, nullptr, &type, reinterpret_cast<BYTE*>(&list[0]),
                           &size) == ERROR_SUCCESS) {
        std::size_t length = size;
        if (length > 0 && list[length - 1] == '\0') --length;  // the list's own final zero
        std::size_t kept = DropPendingDeletion(&list[0], length, path.c_str());
        if (kept == 0)
          RegDeleteValueA(key, kName);
        else if (kept != length)
          RegSetValueExA(key, kName, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(list.data()),
                         static_cast<DWORD>(kept + 1));
      }
    }
    return;
  }
  char shortPath[MAX_PATH];
  DWORD n = GetShortPathNameA(path.c_str(), shortPath, sizeof shortPath);
  if (n == 0 || n >= sizeof shortPath) return;
  std::string section(32767, '\0');
  DWORD length = GetPrivateProfileSectionA("rename", &section[0], 32767, "WININIT.INI");
  if (length == 0 || length >= 32767 - 2) return;  // nothing there, or cut: leave it whole
  std::size_t kept = DropWininitDeletion(&section[0], length, shortPath);
  if (kept == length) return;
  section[kept] = '\0';
  section[kept + 1] = '\0';
  WritePrivateProfileSectionA("rename", section.data(), "WININIT.INI");
}

}  // namespace

void LogInstallStep(const char* step, const char* subject, bool done, DWORD error) {
  char path[MAX_PATH];
  UINT n = GetWindowsDirectoryA(path, sizeof path);
  if (n == 0 || n >= sizeof path) return;
  if (n > 0 && path[n - 1] == '\\') path[n - 1] = '\0';
  if (!AppendBounded(path, "\\") || !AppendBounded(path, kInstallLogName)) return;
  SYSTEMTIME t;
  GetLocalTime(&t);
  char result[32] = "correcto";
  if (!done) FormatBounded(result, sizeof result, "error %lu", static_cast<unsigned long>(error));
  char line[1400];
  FormatBounded(line, sizeof line, "%02u/%02u/%04u %02u:%02u:%02u %s \042%s\042: %s\r\n", t.wDay,
                t.wMonth, t.wYear, t.wHour, t.wMinute, t.wSecond, step, subject, result);
  OwnedFile file(CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return;
  SetFilePointer(file.Get(), 0, nullptr, FILE_END);
  DWORD written = 0;
  bool whole =
      WriteFile(file.Get(), line, static_cast<DWORD>(std::strlen(line)), &written, nullptr);
  file.Reset();
  RegistryRecord record;
  if (whole) record.Write(kRecordLog, path);
}

bool RecordingFinalActions::CreateDialEntry(const DialEntrySettings& entry) {
  bool done = actions_.CreateDialEntry(entry);
  DWORD error = GetLastError();
  // The name as the phonebook holds it: entries are written cut to the field.
  char name[kRasMaxEntryName + 1];
  CopyBounded(name, entry.entryName ? entry.entryName : "");
  RegistryRecord record;
  if (done) record.Write(kRecordEntry, name);
  LogInstallStep("Conexión de acceso telefónico", name, done, error);
  return done;
}

bool RecordingFinalActions::WriteMonitorProgram(const std::string& path) {
  bool done = actions_.WriteMonitorProgram(path);
  LogInstallStep("Programa", path.c_str(), done, GetLastError());
  if (!done) return false;
  CancelDeletionAtRestart(path);
  RegistryRecord record;
  record.Write(kRecordMonitor, path.c_str());
  bool listed = WriteUninstallEntry(path);
  LogInstallStep("Agregar o quitar programas", kUninstallDisplayName, listed, GetLastError());
  return true;
}

bool RecordingFinalActions::SaveShortcut(const ShortcutSettings& shortcut) {
  bool done = actions_.SaveShortcut(shortcut);
  DWORD error = GetLastError();
  RegistryRecord record;
  if (done) record.Write(kRecordShortcut, shortcut.path.c_str());
  LogInstallStep("Icono del escritorio", shortcut.path.c_str(), done, error);
  return done;
}

bool RecordingFinalActions::SetStartPage(const std::string& address) {
  RegistryRecord record;
  bool known[kStartPageSlotCount] = {};
  char value[kRecordTextSize];
  for (int i = 0; i < kStartPageSlotCount; ++i) {
    int now = ReadPage(kStartPageSlots[i], value);
    known[i] = RecordPageBefore(record, kStartPageSlots[i], now != 0, now > 0 ? value : nullptr);
  }
  bool done = actions_.SetStartPage(address);
  DWORD error = GetLastError();
  for (int i = 0; i < kStartPageSlotCount; ++i) {
    if (known[i] && ReadPage(kStartPageSlots[i], value) > 0 && address == value)
      record.Write(kStartPageSlots[i].written, value);
  }
  LogInstallStep("Página de inicio", address.c_str(), done, error);
  return done;
}

void RecordToolbarLibrary(const std::string& library, bool registrationStarted) {
  DWORD error = GetLastError();
  CancelDeletionAtRestart(library);
  RegistryRecord record;
  if (registrationStarted) record.Write(kRecordLibrary, library.c_str());
  LogInstallStep("Barra del navegador", library.c_str(), registrationStarted, error);
}

}  // namespace marvella
