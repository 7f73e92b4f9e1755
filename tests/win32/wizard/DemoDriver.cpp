// The demo's driver: walks install.exe through a new user's whole installation as a user
// would (every page filled, "&Crear cuenta", Finish), saves a screenshot per step, and
// prints what the machine then holds. Run by scripts/demo with the reference service's
// addresses in the environment; the simulated remote-access service is its own.
//   install_demo_driver.exe FOLDER INSTALL.INI
#include <windows.h>
#include <prsht.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "installer/win32/WizardResource.h"
#include "tests/win32/support/RecordingBrowser.h"
#include "tests/win32/support/Screenshot.h"
#include "tests/win32/support/TestPrograms.h"
#include "tests/win32/support/WindowDriver.h"
#include "tests/win32/wizard/InstallExeDriver.h"
#include "toolbar/win32/ServerTexts.h"
// Last: it brings the SDK's remote-access header.
#include "simulators/ras/RasSimulatorSession.h"

using namespace marvella::test;

namespace {

int step = 0;

void Shoot(HWND window, const char* what) {
  std::string name = "step-" + std::to_string(step++);
  std::string path = SaveWindowScreenshot(window, name.c_str());
  std::printf("   %s: %s\n", name.c_str(), what);
  std::fflush(stdout);
  (void)path;
}

int Fail(const std::string& why) {
  std::printf("demo: %s\n", why.c_str());
  return 1;
}

std::string Dotted(const RASIPADDR& a) {
  return std::to_string(a.a) + "." + std::to_string(a.b) + "." + std::to_string(a.c) + "." +
         std::to_string(a.d);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Fail("usage: install_demo_driver FOLDER INSTALL.INI");
  marvella::rassim::RasSimulatorSession modem;  // one modem; dials connect
  UseRecordingBrowser();
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {  // as a browser leaves them
    HKEY key;
    if (RegCreateKeyExA(root, kBrowserMainKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) == ERROR_SUCCESS)
      RegCloseKey(key);
  }
  const char* port = std::getenv("MARVELLA_DEVSERVICE_USER_PORT");
  InstallExe exe(argv[1], port ? port : "", argv[2], true);
  HWND sheet = exe.Start();
  if (!sheet) return Fail("install.exe showed no wizard");
  const char* pages[] = {"welcome: not on line yet", "contract accepted",
                         "hardware: modem, Zonas sin nodo local, prefix 0, connection name",
                         "user type: new user", "personal data filled, province Cádiz",
                         "interests answered",
                         "optional data"};
  std::string error = WalkToResults(sheet, [&](int page) { Shoot(sheet, pages[page]); });
  if (!error.empty()) return Fail(error);
  Shoot(sheet, "results page");
  PostMessageA(GetDlgItem(CurrentPage(sheet), IDC_RS_CREATE), BM_CLICK, 0, 0);
  HWND notice = WaitForProcessDialog(exe.Id(), sheet, 60000);
  if (!notice) return Fail("no account: " + Progress(sheet));
  Shoot(notice, ("\"" + WindowText(notice) + "\" notice").c_str());
  PressButton(notice, IDOK);
  if (!Eventually([&] { return Usable(sheet, kNextButton); })) return Fail("no Next after sign-up");
  Shoot(sheet, "the account on the results page");
  PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
  if (!Eventually([&] { return Usable(sheet, kFinishButton); })) return Fail("no final page");
  Shoot(sheet, "final page");
  PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
  if (!exe.Ended()) return Fail("install.exe did not end after Finish");

  std::printf("== what the machine holds\n");
  marvella::rassim::SimState state = modem.State();
  for (const marvella::rassim::SimEntry& e : state.entries) {
    std::printf("dial-up entry \"%s\": phone %s, device %s (%s), user %s, password %s, DNS %s %s\n",
                e.name.c_str(), e.record.szLocalPhoneNumber, e.record.szDeviceName,
                e.record.szDeviceType, e.dialUser.c_str(), e.dialPassword.c_str(),
                Dotted(e.record.ipaddrDns).c_str(), Dotted(e.record.ipaddrDnsAlt).c_str());
  }
  std::printf("sign-up entry \"Marvella Alta\": %s; connections up: %zu\n",
              state.FindEntry("Marvella Alta") ? "still there" : "gone",
              state.connections.size());
  std::string monitor = WindowsDirectory() + "\\marvella.exe";
  std::string bytes = ReadFileBytes(monitor);
  std::printf("%s: %zu bytes, %s the built monitor\n", monitor.c_str(), bytes.size(),
              bytes == ReadFileBytes(BinDir() + "marvella.exe") ? "equal to" : "DIFFERENT from");
  std::string lnk = DesktopDirectory() + "\\" + kDemoConnection + ".LNK";
  Shortcut link;
  if (ReadShortcut(lnk, link))
    std::printf("%s: target %s, arguments \"%s\", icon %s,%d\n", lnk.c_str(), link.path.c_str(),
                link.arguments.c_str(), link.icon.c_str(), link.iconIndex);
  else
    std::printf("%s: missing\n", lnk.c_str());
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
    std::printf("%s\\...\\Internet Explorer\\Main: Start Page %s, Default_Page_URL %s\n",
                root == HKEY_LOCAL_MACHINE ? "HKLM" : "HKCU",
                RegText(root, kBrowserMainKey, "Start Page").c_str(),
                RegText(root, kBrowserMainKey, "Default_Page_URL").c_str());
  Eventually([&] { return !ReadWholeLines(exe.BrowserLog()).empty(); });
  for (const std::string& line : ReadWholeLines(exe.BrowserLog()))
    std::printf("address opened: %s\n", line.c_str());
  std::string library = SystemDirectory() + "\\tandem.dll";
  std::printf("%s: %zu bytes\n", library.c_str(), ReadFileBytes(library).size());
  const std::string server = "CLSID\\" TANDEM_CLSID_TEXT "\\InprocServer32";
  Eventually([&] { return Lower(RegText(HKEY_CLASSES_ROOT, server.c_str(), nullptr)) == Lower(library); });
  std::printf("HKCR\\%s: %s\n", server.c_str(), RegText(HKEY_CLASSES_ROOT, server.c_str(), nullptr).c_str());
  std::printf("the service's record of the user and the account:\n%s",
              Admin("/admin/user?userid=ana.p").c_str());
  return 0;
}
