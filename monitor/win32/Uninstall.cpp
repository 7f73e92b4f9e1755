// The uninstall through the system's own calls.
#include "monitor/win32/Uninstall.h"

#include <windows.h>
#include <shellapi.h>

#include "common/BoundedText.h"
#include "common/win32/Owned.h"
#include "common/win32/RegistryText.h"
#include "monitor/UndoPlan.h"
#include "monitor/UninstallTexts.h"
#include "monitor/win32/RegistryRecord.h"

namespace marvella {
namespace {

// The library's unregistration shows a notice the user must answer: wait for them, but
// not for ever.
constexpr DWORD kUnregisterWaitMs = 180000;
constexpr DWORD kEntryNotFound = 623;  // ERROR_CANNOT_FIND_PHONEBOOK_ENTRY
constexpr DWORD kWininitLimit = 32767;  // the most a profile section gives on Windows 95

bool Gone(BOOL done) {
  DWORD error = GetLastError();
  return done || error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

HKEY RootOf(BrowserRoot root) {
  return root == BrowserRoot::kMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

bool IsNt() {
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof version;
  return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

class SystemUninstall final : public UninstallPlatform {
 public:
  bool DeleteDialEntry(const char* name) override {
    // Through the library the monitor already has loaded; Windows 95 without the dial-up
    // update lacks the call.
    using DeleteEntryFn = DWORD(WINAPI*)(const char*, const char*);
    HMODULE ras = GetModuleHandleA("rasapi32.dll");
    auto deleteEntry =
        ras ? reinterpret_cast<DeleteEntryFn>(
                  reinterpret_cast<void*>(GetProcAddress(ras, "RasDeleteEntryA")))
            : nullptr;
    if (!deleteEntry) return false;
    DWORD r = deleteEntry(nullptr, name);
    return r == 0 || r == kEntryNotFound;
  }

  bool FileExists(const char* path) override {
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
  }

  bool DeleteFileNow(const char* path) override { return Gone(DeleteFileA(path)); }

  bool DeleteAtRestart(const char* path) override {
    if (IsNt()) return MoveFileExA(path, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != FALSE;
    // Windows 95 and 98: "NUL=<short path>" in WININIT.INI's [rename] section. The key
    // repeats there, so the section is read whole and written back with one line more (a
    // single profile write would replace an earlier "NUL=").
    HANDLE heap = GetProcessHeap();
    char* section = static_cast<char*>(HeapAlloc(heap, 0, kWininitLimit + MAX_PATH + 8));
    if (!section) return false;
    DWORD used = GetPrivateProfileSectionA("rename", section, kWininitLimit, "WININIT.INI");
    char* line = section + used;  // the list's last zero: ours goes there
    bool done = false;
    // A section that did not fit is not written back: its cut lines would be lost.
    if (used < kWininitLimit - 2) {
      CopyBounded(line, 5, "NUL=");
      DWORD n = GetShortPathNameA(path, line + 4, MAX_PATH);
      if (n > 0 && n < MAX_PATH) {
        line[4 + n + 1] = '\0';  // the list ends with two zeros
        done = WritePrivateProfileSectionA("rename", section, "WININIT.INI") != FALSE;
      }
    }
    HeapFree(heap, 0, section);
    return done;
  }

  bool ReadPage(BrowserRoot root, const char* value, char* out) override {
    out[0] = '\0';
    HKEY opened;
    if (RegOpenKeyExA(RootOf(root), kBrowserMainKeyName, 0, KEY_QUERY_VALUE, &opened) !=
        ERROR_SUCCESS)
      return false;
    OwnedKey key(opened);
    DWORD size = kRecordTextSize - 1;
    LONG r =
        RegQueryValueExA(key.Get(), value, nullptr, nullptr, reinterpret_cast<BYTE*>(out), &size);
    out[r == ERROR_SUCCESS ? size : 0] = '\0';
    return r == ERROR_SUCCESS;
  }

  bool WritePage(BrowserRoot root, const char* value, const char* text) override {
    HKEY opened;
    if (RegOpenKeyExA(RootOf(root), kBrowserMainKeyName, 0, KEY_SET_VALUE, &opened) !=
        ERROR_SUCCESS)
      return false;
    OwnedKey key(opened);
    return WriteRegistryText(key.Get(), value, text);
  }

  bool DeletePage(BrowserRoot root, const char* value) override {
    HKEY opened;
    if (RegOpenKeyExA(RootOf(root), kBrowserMainKeyName, 0, KEY_SET_VALUE, &opened) !=
        ERROR_SUCCESS)
      return true;
    OwnedKey key(opened);
    LONG r = RegDeleteValueA(key.Get(), value);
    return r == ERROR_SUCCESS || r == ERROR_FILE_NOT_FOUND;
  }

  bool UnregisterLibrary(const char* path) override {
    // The registration tool by its full path with the library quoted, as install.exe
    // registered it, through the shell.
    char registrar[MAX_PATH];
    UINT n = GetSystemDirectoryA(registrar, sizeof registrar);
    char parameters[MAX_PATH + 16];
    if (n == 0 || n >= sizeof registrar || !AppendBounded(registrar, "\\regsvr32.exe") ||
        !FormatBounded(parameters, sizeof parameters, "/u /s \"%s\"", path))
      return false;
    SHELLEXECUTEINFOA run = {};
    run.cbSize = sizeof run;
    run.fMask = SEE_MASK_NOCLOSEPROCESS;
    run.lpVerb = "open";
    run.lpFile = registrar;
    run.lpParameters = parameters;
    run.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExA(&run) || !run.hProcess) return false;
    OwnedHandle process(run.hProcess);
    DWORD code = 1;
    bool ended = WaitForSingleObject(process.Get(), kUnregisterWaitMs) == WAIT_OBJECT_0 &&
                 GetExitCodeProcess(process.Get(), &code);
    return ended && code == 0;
  }

  bool RemoveRecord() override { return RemoveRegistryRecord(); }

  bool RemoveUninstallEntry() override {
    LONG r = RegDeleteKeyA(HKEY_LOCAL_MACHINE, kUninstallEntryKey);
    return r == ERROR_SUCCESS || r == ERROR_FILE_NOT_FOUND;
  }

};

// The failures, one line each, gathered for the result box.
class FailureLines final : public UndoReport {
 public:
  void Failed(UndoFailure what, const char* subject) override {
    static const char* const kTexts[] = {
        TEXT_UNDO_ENTRY_FAILED,    TEXT_UNDO_SHORTCUT_FAILED, TEXT_UNDO_START_PAGE_FAILED,
        TEXT_UNDO_TOOLBAR_FAILED,  TEXT_UNDO_FILE_FAILED,     TEXT_UNDO_RECORD_FAILED,
        TEXT_UNDO_ENTRY_KEY_FAILED};
    char line[600];
    FormatBounded(line, sizeof line, kTexts[static_cast<int>(what)], subject);
    AppendBounded(lines, line);
  }
  char lines[1024] = {};
};

}  // namespace

bool IsUninstallCommand(const char* commandLine) {
  if (!commandLine) return false;
  while (*commandLine == ' ' || *commandLine == '\t') ++commandLine;
  char word[sizeof kUninstallSwitch + 1];
  if (!CopyBounded(word, commandLine)) return false;  // longer: more than the switch
  for (char* end = word + lstrlenA(word); end > word && (end[-1] == ' ' || end[-1] == '\t');)
    *--end = '\0';
  return lstrcmpiA(word, kUninstallSwitch) == 0;
}

void RunUninstall() {
  if (MessageBoxA(nullptr, TEXT_UNINSTALL_QUESTION, TEXT_UNINSTALL_CAPTION,
                  MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
    return;
  RegistryRecord record;
  SystemUninstall platform;
  FailureLines failures;
  UndoOutcome outcome = Uninstall(record, platform, failures);
  char text[1536];
  CopyBounded(text, outcome.failures ? TEXT_UNINSTALL_FAILED : TEXT_UNINSTALL_DONE);
  if (outcome.failures) AppendBounded(text, failures.lines);
  if (outcome.restartNeeded) AppendBounded(text, TEXT_UNINSTALL_RESTART);
  MessageBoxA(nullptr, text, TEXT_UNINSTALL_CAPTION,
              MB_OK | (outcome.failures ? MB_ICONWARNING : MB_ICONINFORMATION));
}

}  // namespace marvella
