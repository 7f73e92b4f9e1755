// Registration and unregistration of tandem.dll as the installer, a browser and the
// registration tool run them, read back from the registry step by step: what each writes
// and removes, what it leaves alone, and which message (answered here) it shows; a write
// the registry refuses is reported, a removal of what is already gone is not.
#include "tests/win32/support/Screenshot.h"
#include "tests/win32/support/TestPrograms.h"
#include "tests/win32/support/WindowDriver.h"
#include "tests/win32/toolbar/ServerHosts.h"
#include "tests/win32/toolbar/ToolbarWin32Support.h"
#include "toolbar/win32/ServerTexts.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

using namespace marvella::testing;
using namespace marvella::test;

namespace {

const std::string kClsid = TANDEM_CLSID_TEXT;
const std::string kClassKey = "CLSID\\" + kClsid;
const std::string kHelpers =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects\\";
const std::string kOtherClsid = "{11111111-2222-3333-4444-555555555555}";
const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kToolbarKey[] = "Software\\Microsoft\\Internet Explorer\\Toolbar";
const char kCommBand[] = "\\Implemented Categories\\{00021494-0000-0000-C000-000000000046}";
const std::string kAbsent = "<absent>";

std::string Value(HKEY root, const std::string& key, const char* name) {
  char data[1024] = {};
  DWORD size = sizeof data - 1;
  HKEY h;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return kAbsent;
  LONG read = RegQueryValueExA(h, name, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(h);
  return read == ERROR_SUCCESS ? data : kAbsent;
}

// Sets (text) or deletes (null) a value; deleting a key's default value deletes the key.
void Put(HKEY root, const std::string& key, const char* name, const char* text) {
  HKEY h;
  if (!text && !name) {
    RegDeleteKeyA(root, key.c_str());
    return;
  }
  if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr))
    return;
  if (text)
    RegSetValueExA(h, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), lstrlenA(text) + 1);
  else
    RegDeleteValueA(h, name);
  RegCloseKey(h);
}

// Runs a command line; answers the message box it shows and returns "caption: text"
// (nothing when it shows none and ends by itself).
std::string RunAnswering(const std::string& program, const std::string& arguments,
                         const char* screenshot) {
  HANDLE process = StartProgram(program, "\"" + program + "\" " + arguments, nullptr);
  if (!process) return "<did not start>";
  std::string seen;
  DWORD pid = GetProcessId(process);
  // A program ends by itself, or waits for someone to answer its box.
  DWORD start = GetTickCount();
  while (WaitForSingleObject(process, 50) == WAIT_TIMEOUT && seen.empty() &&
         GetTickCount() - start < 60000) {
    if (HWND box = WaitForProcessDialog(pid, nullptr, 0)) {
      seen = WindowText(box) + ": " + MessageBoxText(box);
      SaveWindowScreenshot(box, screenshot);
      PressButton(box, IDOK);
    }
  }
  if (WaitForSingleObject(process, 60000) != WAIT_OBJECT_0) {
    seen += " <did not end>";
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
  char system[MAX_PATH];
  GetSystemDirectoryA(system, sizeof system);
  const std::string regsvr32 = std::string(system) + "\\regsvr32.exe";
  const std::string library = LibraryPath();
  const std::string quoted = "\"" + library + "\"";
  const std::string browser = PrepareHost(FreshDirectory("registration"), "iexplore.exe");
  UnblockClassKeyRemoval();  // in case a failed run left it
  // What other programs keep beside ours.
  Put(HKEY_CURRENT_USER, kRunKey, "OtroPrograma", "otro.exe");
  Put(HKEY_LOCAL_MACHINE, kHelpers + kOtherClsid, nullptr, "Otro");
  Put(HKEY_LOCAL_MACHINE, kToolbarKey, kOtherClsid.c_str(), "");

  struct Step {
    const char* shell;
    std::string program, arguments;
    std::string message;  // "caption: text", or nothing
    bool registered, logonEntry;
    // The registry refuses the class's server key (its parent is volatile, which no
    // permanent key may be under): the error comes back and the user is told.
    bool refused = false;
  };
  const std::string answers = browser + ".out";
  const Step steps[] = {
      // As the installer runs it: silently. Below shell 5.5 the logon entry comes too.
      {"5.0", regsvr32, "/s " + quoted, "", true, true},
      {"5.50", regsvr32, "/s " + quoted, "", true, false},
      {"5.50", browser, "\"" + answers + "\" " + quoted + " load register",
       std::string("Tandem Marvella: ") + IDS_INSTALLED_TEXT, true, false},
      {"5.50", browser, "\"" + answers + "\" " + quoted + " load register",
       std::string("Tandem Marvella: ") + IDS_INSTALL_FAILED_TEXT, true, false, true},
      // Unregistration tells the user whatever the host, the registration tool included;
      // keys already gone (the second time) are no failure.
      {"5.50", regsvr32, "/u /s " + quoted,
       std::string("Tandem Marvella: ") + IDS_UNINSTALLED_TEXT, false, false},
      {"5.50", browser, "\"" + answers + "\" " + quoted + " load unregister",
       std::string("Tandem Marvella: ") + IDS_UNINSTALLED_TEXT, false, false},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.shell + (" " + step.program + " " + step.arguments));
    if (step.registered) {  // from a machine without the toolbar
      for (const char* sub : {"\\InprocServer32", kCommBand, "\\Implemented Categories", ""})
        Put(HKEY_CLASSES_ROOT, kClassKey + sub, nullptr, nullptr);
      Put(HKEY_LOCAL_MACHINE, kHelpers + kClsid, nullptr, nullptr);
      Put(HKEY_CURRENT_USER, kRunKey, "Marvella", nullptr);
      HKEY refusing;
      if (step.refused &&
          RegCreateKeyExA(HKEY_CLASSES_ROOT, kClassKey.c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                          KEY_ALL_ACCESS, nullptr, &refusing, nullptr) == ERROR_SUCCESS)
        RegCloseKey(refusing);
    } else {  // what older shells and other registrations of the class leave, to be removed
      Put(HKEY_CURRENT_USER, kRunKey, "Marvella", "regsvr32.exe /s tandem.dll");
      Put(HKEY_LOCAL_MACHINE, kToolbarKey, kClsid.c_str(), "");
      Put(HKEY_CLASSES_ROOT, kClassKey + kCommBand, nullptr, "");
    }
    ChooseShellVersion(step.shell);
    EXPECT_EQ(step.message, RunAnswering(step.program, step.arguments,
                                         step.refused      ? "registration-refused"
                                         : step.registered ? "registration-installed"
                                                           : "registration-uninstalled"));
    if (step.program == browser) {
      std::ifstream result(answers);
      std::string loaded, answer, code;
      result >> loaded >> answer >> code;
      EXPECT_EQ(step.refused ? "800703fd" : "00000000", code);  // a child of a volatile key
    }
    const bool on = step.registered;
    const bool served = on && !step.refused;
    struct Expected {
      HKEY root;
      std::string key;
      const char* value;
      std::string data;
    } const expected[] = {
        {HKEY_CLASSES_ROOT, kClassKey, nullptr, on ? "&Marvella" : kAbsent},
        {HKEY_CLASSES_ROOT, kClassKey + "\\InprocServer32", nullptr, served ? library : kAbsent},
        {HKEY_CLASSES_ROOT, kClassKey + "\\InprocServer32", "ThreadingModel",
         served ? "Apartment" : kAbsent},
        {HKEY_CLASSES_ROOT, kClassKey + kCommBand, nullptr, kAbsent},
        {HKEY_LOCAL_MACHINE, kHelpers + kClsid, nullptr, on ? "Tandem Marvella" : kAbsent},
        {HKEY_LOCAL_MACHINE, kToolbarKey, kClsid.c_str(), kAbsent},
        {HKEY_CURRENT_USER, kRunKey, "Marvella",
         step.logonEntry ? regsvr32 + " /s " + quoted : kAbsent},
        // Left alone, whatever happens.
        {HKEY_CURRENT_USER, kRunKey, "OtroPrograma", "otro.exe"},
        {HKEY_LOCAL_MACHINE, kHelpers + kOtherClsid, nullptr, "Otro"},
        {HKEY_LOCAL_MACHINE, kToolbarKey, kOtherClsid.c_str(), ""},
    };
    for (const Expected& e : expected)
      EXPECT_EQ(e.data, Value(e.root, e.key, e.value)) << e.key << " " << (e.value ? e.value : "");
  }
  Put(HKEY_CURRENT_USER, kRunKey, "OtroPrograma", nullptr);
  Put(HKEY_LOCAL_MACHINE, kHelpers + kOtherClsid, nullptr, nullptr);
  Put(HKEY_LOCAL_MACHINE, kToolbarKey, kOtherClsid.c_str(), nullptr);
  ReleaseMutex(lock);
  CloseHandle(lock);
}

// A key below the class's that cannot be opened: the removal reports the error, tells the
// user so and still removes what it can; once the key is gone, a removal succeeds.
TEST(ToolbarRegistration, ARemovalTheRegistryRefusesIsReported) {
  HANDLE lock = CreateMutexA(nullptr, FALSE, "marvella-toolbar-registration");
  WaitForSingleObject(lock, INFINITE);
  const std::string quoted = "\"" + LibraryPath() + "\"";
  const std::string browser = PrepareHost(FreshDirectory("registration-refused"), "iexplore.exe");
  const std::string answers = browser + ".out";
  const std::string unregister = "\"" + answers + "\" " + quoted + " load unregister";
  ChooseShellVersion("5.50");
  EXPECT_EQ(std::string("Tandem Marvella: ") + IDS_INSTALLED_TEXT,
            RunAnswering(browser, "\"" + answers + "\" " + quoted + " load register",
                         "registration-installed"));
  ASSERT_TRUE(BlockClassKeyRemoval());
  EXPECT_EQ(std::string("Tandem Marvella: ") + IDS_UNINSTALL_FAILED_TEXT,
            RunAnswering(browser, unregister, "registration-removal-refused"));
  auto result = [&] {
    std::ifstream file(answers);
    std::string loaded, answer, code;
    file >> loaded >> answer >> code;
    return code;
  };
  EXPECT_EQ("80070005", result());
  EXPECT_EQ(kAbsent, Value(HKEY_LOCAL_MACHINE, kHelpers + kClsid, nullptr));
  EXPECT_EQ("&Marvella", Value(HKEY_CLASSES_ROOT, kClassKey, nullptr));
  UnblockClassKeyRemoval();
  EXPECT_EQ(std::string("Tandem Marvella: ") + IDS_UNINSTALLED_TEXT,
            RunAnswering(browser, unregister, "registration-uninstalled"));
  EXPECT_EQ("00000000", result());
  EXPECT_EQ(kAbsent, Value(HKEY_CLASSES_ROOT, kClassKey, nullptr));
  ReleaseMutex(lock);
  CloseHandle(lock);
}
