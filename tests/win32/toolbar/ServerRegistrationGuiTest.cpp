// Registration and unregistration of tandem.dll as the installer, a browser and the
// registration tool run them, read back from the registry step by step: what each writes
// and removes, what it leaves alone, and which message (answered here) it shows.
#include "tests/win32/support/Screenshot.h"
#include "tests/win32/support/TestPrograms.h"
#include "tests/win32/support/WindowDriver.h"
#include "tests/win32/toolbar/ServerHosts.h"
#include "tests/win32/toolbar/ToolbarWin32Support.h"
#include "toolbar/win32/ServerTexts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace marvella::testing;
using namespace marvella::test;

namespace {

const std::string kClsid = TANDEM_CLSID_TEXT;
const std::string kClassKey = "CLSID\\" + kClsid;
const std::string kHelperKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects\\" + kClsid;
const std::string kOtherHelperKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects\\"
    "{11111111-2222-3333-4444-555555555555}";
const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kToolbarKey[] = "Software\\Microsoft\\Internet Explorer\\Toolbar";
const char kAbsent[] = "<absent>";

std::string Value(HKEY root, const std::string& key, const char* name) {
  HKEY h;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return kAbsent;
  char data[1024] = {};
  DWORD size = sizeof data - 1;
  DWORD type = 0;
  LONG read = RegQueryValueExA(h, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(h);
  if (read != ERROR_SUCCESS) return kAbsent;
  return (type == REG_SZ ? "" : "<not REG_SZ>") + std::string(data);
}

bool KeyExists(HKEY root, const std::string& key) {
  HKEY h;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
  RegCloseKey(h);
  return true;
}

void SetValue(HKEY root, const std::string& key, const char* name, const std::string& text) {
  HKEY h;
  if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr) !=
      ERROR_SUCCESS)
    return;
  RegSetValueExA(h, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                 DWORD(text.size() + 1));
  RegCloseKey(h);
}

void DeleteValue(HKEY root, const std::string& key, const char* name) {
  HKEY h;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_ALL_ACCESS, &h) != ERROR_SUCCESS) return;
  RegDeleteValueA(h, name);
  RegCloseKey(h);
}

// What a machine without the toolbar has: no class, no helper key, no logon entry.
void Unregister() {
  for (const char* sub : {"\\InprocServer32", "\\Implemented Categories\\"
                                              "{00021494-0000-0000-C000-000000000046}",
                          "\\Implemented Categories", ""})
    RegDeleteKeyA(HKEY_CLASSES_ROOT, (kClassKey + sub).c_str());
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, kHelperKey.c_str());
  DeleteValue(HKEY_CURRENT_USER, kRunKey, "Marvella");
}

std::string SystemDirectory() {
  char path[MAX_PATH];
  GetSystemDirectoryA(path, sizeof path);
  return path;
}

// Runs a command; answers the one message box it must show (or must not) and says what
// it read, as "caption: text".
std::string Run(const std::string& program, const std::string& commandLine, bool expectBox,
                const char* screenshot) {
  HANDLE process = StartProgram(program, commandLine, nullptr);
  if (!process) return "<did not start>";
  std::string seen;
  if (expectBox) {
    HWND box = WaitForProcessDialog(GetProcessId(process), nullptr, 60000);
    if (box) {
      seen = WindowText(box) + ": " + MessageBoxText(box);
      SaveWindowScreenshot(box, screenshot);
      PressButton(box, IDOK);
    } else {
      seen = "<no message>";
    }
  }
  // A box nobody answers keeps the program from ending.
  if (WaitForSingleObject(process, 60000) != WAIT_OBJECT_0) {
    HWND box = WaitForProcessDialog(GetProcessId(process), nullptr, 0);
    seen += box ? " <unexpected: " + MessageBoxText(box) + ">" : " <did not end>";
    TerminateProcess(process, 1);
  }
  CloseHandle(process);
  return seen;
}

}  // namespace

TEST(ToolbarRegistration, WritesAndRemovesExactlyItsOwnKeys) {
  // Registration tests of every binary share the one registry of the prefix.
  HANDLE lock = CreateMutexA(nullptr, FALSE, "marvella-toolbar-registration");
  WaitForSingleObject(lock, INFINITE);

  const std::string library = LibraryPath();
  const std::string regsvr32 = SystemDirectory() + "\\regsvr32.exe";
  const std::string browser = PrepareHost(FreshDirectory("registration"), "iexplore.exe");
  const std::string logonCommand = regsvr32 + " /s \"" + library + "\"";
  const std::string installed = std::string("Tandem Marvella: ") + IDS_INSTALLED_TEXT;
  const std::string uninstalled = std::string("Tandem Marvella: ") + IDS_UNINSTALLED_TEXT;

  // What other programs keep next to ours, and what other installers of this class add.
  SetValue(HKEY_CURRENT_USER, kRunKey, "OtroPrograma", "otro.exe");
  SetValue(HKEY_LOCAL_MACHINE, kOtherHelperKey, nullptr, "Otro");
  SetValue(HKEY_LOCAL_MACHINE, kToolbarKey, "{22222222-2222-3333-4444-555555555555}", "");

  enum Command { kInstallerRegisters, kBrowserRegisters, kToolUnregisters };
  struct Step {
    const char* what;
    const char* shell;
    Command command;
    bool fromScratch;  // no registration before the step
    bool registered;   // after it
    bool logonEntry;
  };
  const Step steps[] = {
      {"installer under shell 5.0", "5.0", kInstallerRegisters, true, true, true},
      {"installer under shell 5.5", "5.50", kInstallerRegisters, true, true, false},
      {"a browser window", "5.50", kBrowserRegisters, true, true, false},
      {"regsvr32 /u", "5.50", kToolUnregisters, false, false, false},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    if (step.fromScratch) Unregister();
    if (step.command == kToolUnregisters) {  // what other registrations of the class left
      SetValue(HKEY_LOCAL_MACHINE, kToolbarKey, kClsid.c_str(), "");
      SetValue(HKEY_CLASSES_ROOT,
               kClassKey + "\\Implemented Categories\\{00021494-0000-0000-C000-000000000046}",
               nullptr, "");
    }
    ChooseShellVersion(step.shell);
    switch (step.command) {
      case kInstallerRegisters:  // as the installer runs it: silently
        EXPECT_EQ("", Run(regsvr32, "\"" + regsvr32 + "\" /s \"" + library + "\"", false, ""));
        break;
      case kBrowserRegisters:
        EXPECT_EQ(installed, Run(browser,
                                 "\"" + browser + "\" \"" + browser + ".out\" \"" + library +
                                     "\" load register",
                                 true, "registration-installed"));
        break;
      case kToolUnregisters:  // the message shows even for the registration tool
        EXPECT_EQ(uninstalled, Run(regsvr32, "\"" + regsvr32 + "\" /u /s \"" + library + "\"",
                                   true, "registration-uninstalled"));
        break;
    }
    struct Expected {
      HKEY root;
      std::string key;
      const char* value;
      std::string data;
    };
    const std::string absent = kAbsent;
    const bool on = step.registered;
    const Expected expected[] = {
        {HKEY_CLASSES_ROOT, kClassKey, nullptr, on ? "&Marvella" : absent},
        {HKEY_CLASSES_ROOT, kClassKey + "\\InprocServer32", nullptr, on ? library : absent},
        {HKEY_CLASSES_ROOT, kClassKey + "\\InprocServer32", "ThreadingModel",
         on ? "Apartment" : absent},
        {HKEY_LOCAL_MACHINE, kHelperKey, nullptr, on ? "Tandem Marvella" : absent},
        {HKEY_CURRENT_USER, kRunKey, "Marvella", step.logonEntry ? logonCommand : absent},
        {HKEY_LOCAL_MACHINE, kToolbarKey, kClsid.c_str(), absent},  // never written
        // Left alone, whatever happens.
        {HKEY_CURRENT_USER, kRunKey, "OtroPrograma", "otro.exe"},
        {HKEY_LOCAL_MACHINE, kOtherHelperKey, nullptr, "Otro"},
        {HKEY_LOCAL_MACHINE, kToolbarKey, "{22222222-2222-3333-4444-555555555555}", ""},
    };
    for (const Expected& e : expected)
      EXPECT_EQ(e.data, Value(e.root, e.key, e.value)) << e.key << " " << (e.value ? e.value : "");
    EXPECT_EQ(on, KeyExists(HKEY_CLASSES_ROOT, kClassKey));
    EXPECT_EQ(on, KeyExists(HKEY_LOCAL_MACHINE, kHelperKey));
  }
  DeleteValue(HKEY_CURRENT_USER, kRunKey, "OtroPrograma");
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, kOtherHelperKey.c_str());
  DeleteValue(HKEY_LOCAL_MACHINE, kToolbarKey, "{22222222-2222-3333-4444-555555555555}");
  ReleaseMutex(lock);
  CloseHandle(lock);
}
