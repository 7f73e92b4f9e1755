// install.exe itself under Wine, as a process of its own driven through its windows, against
// the reference service and the simulated remote-access service, with the install.ini the
// build ships (its server address aside): a new user's whole installation, a returning user
// whose account is fetched, a results page whose dial and sign-up fail, and an installation
// taken back from Add/Remove Programs. What the installation left on the machine is
// checked from outside afterwards.
#include <winsock2.h>
#include <windows.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/OperatorSettings.h"
#include "installer/win32/WizardResource.h"
#include "monitor/InstallRecord.h"
#include "monitor/UninstallTexts.h"
#include "tests/win32/support/RecordingBrowser.h"
#include "tests/win32/support/RemoteAccessKey.h"
#include "tests/win32/support/Screenshot.h"
#include "tests/win32/support/TestPrograms.h"
#include "tests/win32/support/WindowDriver.h"
#include "tests/win32/wizard/InstallExeDriver.h"
#include "tests/win32/wizard/SeedUser.h"
#include "tests/win32/wizard/WizardUnderTest.h"
#include "toolbar/win32/ServerTexts.h"
// Last: it brings the SDK's remote-access header, whose macros would rename the kit's own
// records declared above.
#include "simulators/ras/RasSimulatorSession.h"

namespace marvella::test {
namespace {

const char kSignUpEntry[] = "Marvella Alta";  // install.ini's, see InstallExe
const char kHome[] = "http://" MARVELLA_PORTAL_HOST "/";
const char kModem[] = "[device]\r\ntype = modem\r\nname = Módem estándar\r\n";

// A running regsvr32.exe's process id; 0 when none runs.
DWORD RunningRegsvr32() {
  DWORD id = 0;
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32 p = {};
  p.dwSize = sizeof p;
  for (BOOL ok = Process32First(snap, &p); ok && !id; ok = Process32Next(snap, &p))
    if (Lower(p.szExeFile) == "regsvr32.exe") id = p.th32ProcessID;
  CloseHandle(snap);
  return id;
}

std::string Folder(const char* name) {
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  return std::string(temp) + name;
}

std::string UserPort() {
  const char* port = std::getenv("MARVELLA_DEVSERVICE_USER_PORT");
  return port ? port : "";
}

struct FilesOfTheWalk {
  FilesOfTheWalk(std::string a, std::string b) : files{a, b} { Remove(); }
  ~FilesOfTheWalk() { Remove(); }
  void Remove() {
    for (const std::string& f : files) DeleteFileA(f.c_str());
  }
  std::string files[2];
};

void Shoot(HWND window, const std::string& name) {
  EXPECT_FALSE(SaveWindowScreenshot(window, name.c_str()).empty());
}

// Registration runs in regsvr32 processes of its own; the registry and the system
// directory are the prefix's, shared with the toolbar's own tests.
class ToolbarRegistrationLock {
 public:
  ToolbarRegistrationLock() : lock_(CreateMutexA(nullptr, FALSE, "marvella-toolbar-registration")) {
    WaitForSingleObject(lock_, INFINITE);
  }
  ~ToolbarRegistrationLock() {
    // Leave the prefix as found: the library unregistered and gone.
    Eventually([] { return RunningRegsvr32() == 0; });
    std::string library = SystemDirectory() + "\\tandem.dll";
    std::string line = SystemDirectory() + "\\regsvr32.exe /u /s \"" + library + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
      // The library tells the user it is gone, whatever the switches say.
      HWND box = WaitForProcessDialog(pi.dwProcessId, nullptr, 60000);
      if (box) PressButton(box, IDOK);
      WaitForSingleObject(pi.hProcess, 60000);
      CloseHandle(pi.hThread);
      CloseHandle(pi.hProcess);
    }
    DeleteFileA(library.c_str());
    ReleaseMutex(lock_);
    CloseHandle(lock_);
  }

 private:
  HANDLE lock_;
};

// What an installation records beside what it installs: the record, the Add/Remove
// Programs entry and the log; removed before and after a walk.
struct InstallationTraces {
  InstallationTraces() { Remove(); }
  ~InstallationTraces() { Remove(); }
  static void Remove() {
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kUninstallEntryKey);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kInstallRecordKey);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kInstallRecordParent);
    DeleteFileA((WindowsDirectory() + "\\" + kInstallLogName).c_str());
  }
};

// No start page under either key, as a browser leaves them before any installation.
bool ClearStartPages() {
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    HKEY key;
    if (RegCreateKeyExA(root, kBrowserMainKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
      return false;
    RegDeleteValueA(key, "Start Page");
    RegCloseKey(key);
  }
  return true;
}

// A whole installation's start and what it leaves: the fresh remote-access service (one
// modem), the recording browser, no start page, the registration lock, and the files the
// walk writes removed before and after (the prefix's desktop is the Unix user's home).
// On the user-type page: a returning user's identifier and password, "&Obtener datos", and
// the box that answers it (null when none came).
HWND Fetch(InstallExe& exe, HWND sheet, const char* identifier, const char* password) {
  HWND page = CurrentPage(sheet);
  SendMessageA(GetDlgItem(page, IDC_UT_EXISTING_USER), BM_CLICK, 0, 0);
  SendMessageA(GetDlgItem(page, IDC_UT_IDENTIFIER), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(identifier));
  SendMessageA(GetDlgItem(page, IDC_UT_PASSWORD), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(password));
  PostMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_UT_FETCH, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_UT_FETCH)));
  return WaitForProcessDialog(exe.Id(), sheet, 60000);
}

class InstallExeWalk : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(UseRecordingBrowser());
    ASSERT_TRUE(ClearStartPages());
  }
  RemoteAccessConfigured remoteAccess;
  rassim::RasSimulatorSession modem;
  ToolbarRegistrationLock registration;
  const std::string windows = WindowsDirectory();
  const std::string shortcutFile = DesktopDirectory() + "\\" + kDemoConnection + ".LNK";
  FilesOfTheWalk written{windows + "\\marvella.exe", shortcutFile};
  InstallationTraces traces;
};

TEST_F(InstallExeWalk, NewUserIsSignedUpAndTheMachineIsReadyAfterFinish) {
  InstallExe exe(Folder("marvella-install-new-user"), UserPort());
  HWND sheet = exe.Start();
  ASSERT_NE(nullptr, sheet) << "install.exe showed no wizard";
  ASSERT_EQ("", WalkToResults(sheet, [&](int page) {
    Shoot(sheet, "install-new-user-page-" + std::to_string(page));
  }));
  // The page's buttons are posted to the sheet, as Windows' own wizards do: until that
  // message is served the sheet still shows the last page's, so wait for the page's set.
  EXPECT_TRUE(Eventually([&] { return Usable(sheet, kBackButton) && !Usable(sheet, kNextButton); }))
      << "the results page offers Next before \"&Crear cuenta\"";
  Shoot(sheet, "install-new-user-page-7");

  // "&Crear cuenta": on line, signed up, the final actions, and the notice.
  PostMessageA(GetDlgItem(CurrentPage(sheet), IDC_RS_CREATE), BM_CLICK, 0, 0);
  HWND notice = WaitForProcessDialog(exe.Id(), sheet, 60000);
  ASSERT_NE(nullptr, notice) << Progress(sheet);
  EXPECT_EQ("Acceso creado", WindowText(notice));
  EXPECT_EQ("La conexión ha sido creada.Su acceso a Internet\nesta configurado. Pulse \"Aceptar\" "
            "y en breve\nle aparecerá una página de bienvenida.",
            MessageBoxText(notice));
  Shoot(notice, "install-new-user-notice");
  PressButton(notice, IDOK);
  ASSERT_TRUE(Eventually([&] { return Usable(sheet, kNextButton); }));
  HWND page = CurrentPage(sheet);
  EXPECT_EQ("Llamando al 0" MARVELLA_DEFAULT_ACCESS_NUMBER "\r\nConectando\r\nConectando\r\n",
            Progress(sheet));
  EXPECT_FALSE(Usable(sheet, kBackButton));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(sheet, IDCANCEL))) << "the account exists: no way back";
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_RS_CREATE)));
  // What the service holds for the user is what the page shows.
  const std::string user = Admin("/admin/user?userid=ana.p");
  const size_t accountAt = user.find('\n');
  const std::string login = ItemValue(user, "userid", accountAt), pass = ItemValue(user, "pass", accountAt);
  ASSERT_FALSE(login.empty()) << user;
  EXPECT_EQ(kDemoProvince, ItemValue(user, "provincia")) << user;
  EXPECT_EQ(login, Text(page, IDC_RS_USERID));
  EXPECT_EQ(pass, Text(page, IDC_RS_PASSWORD));
  EXPECT_EQ("192.0.2.53", Text(page, IDC_RS_DNS));
  EXPECT_EQ("anap", Text(page, IDC_RS_ALIAS));
  EXPECT_FALSE(Text(page, IDC_RS_EMAIL).empty());
  Shoot(sheet, "install-new-user-page-7-account");

  PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_NEXT, 0);  // drops the line first
  ASSERT_TRUE(Eventually([&] { return Usable(sheet, kFinishButton); }));
  EXPECT_EQ("Instalador de Marvella - Conexión configurada", WindowText(sheet));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(sheet, IDCANCEL)));
  EXPECT_TRUE(modem.State().connections.empty()) << "the sign-up line is hung up at Next";
  Shoot(sheet, "install-new-user-page-8");
  PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
  ASSERT_TRUE(exe.Ended());

  // The user's own entry: prefix and node, the account's logon and name servers, the modem.
  rassim::SimState state = modem.State();
  rassim::SimEntry* entry = state.FindEntry(kDemoConnection);
  ASSERT_NE(nullptr, entry);
  EXPECT_STREQ("0" MARVELLA_DEFAULT_ACCESS_NUMBER, entry->record.szLocalPhoneNumber);
  EXPECT_STREQ("Módem estándar", entry->record.szDeviceName);
  EXPECT_EQ(login, entry->dialUser);
  EXPECT_EQ(pass, entry->dialPassword);
  EXPECT_EQ(192, entry->record.ipaddrDns.a);
  EXPECT_EQ(53, entry->record.ipaddrDns.d);
  EXPECT_EQ(nullptr, state.FindEntry(kSignUpEntry)) << "the sign-up entry outlived the installer";
  EXPECT_TRUE(state.connections.empty());

  // The monitor program, byte for byte, and its shortcut on the desktop.
  const std::string monitor = ReadFileBytes(windows + "\\marvella.exe");
  EXPECT_FALSE(monitor.empty());
  EXPECT_TRUE(monitor == ReadFileBytes(BinDir() + "marvella.exe")) << "marvella.exe differs";
  Shortcut shortcut;
  ASSERT_TRUE(ReadShortcut(shortcutFile, shortcut)) << shortcutFile;
  EXPECT_EQ(Lower(windows + "\\marvella.exe"), Lower(shortcut.path));
  EXPECT_EQ(kDemoConnection, shortcut.arguments);
  EXPECT_EQ(kDemoConnection, shortcut.description);
  EXPECT_EQ(Lower(windows + "\\marvella.exe"), Lower(shortcut.icon));
  EXPECT_EQ(0, shortcut.iconIndex);
  // The icon the shortcut names is there: the picture the last page shows, not a blank one.
  EXPECT_EQ(1u, ExtractIconExA(shortcut.icon.c_str(), -1, nullptr, nullptr, 0))
      << "marvella.exe carries no icon";

  // The browser: the start page under both keys, and the portal's first visit.
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    EXPECT_EQ(kHome, RegText(root, kBrowserMainKey, "Start Page"));
    EXPECT_EQ(kHome, RegText(root, kBrowserMainKey, "Default_Page_URL"));
  }
  const std::string visit = "http://" MARVELLA_PORTAL_HOST "/cgi-bin/logon?user=" + login +
                            "&password=" + pass + "&conexion=1";
  ASSERT_TRUE(Eventually([&] { return !ReadWholeLines(exe.BrowserLog()).empty(); }));
  EXPECT_EQ(visit, ReadWholeLines(exe.BrowserLog()).front());

  // The toolbar library in the system directory, registered there.
  const std::string library = SystemDirectory() + "\\tandem.dll";
  EXPECT_TRUE(ReadFileBytes(library) == ReadFileBytes(BinDir() + "tandem.dll"));
  const std::string server = "CLSID\\" TANDEM_CLSID_TEXT "\\InprocServer32";
  EXPECT_TRUE(Eventually([&] {
    return Lower(RegText(HKEY_CLASSES_ROOT, server.c_str(), nullptr)) == Lower(library);
  })) << RegText(HKEY_CLASSES_ROOT, server.c_str(), nullptr);
}

TEST_F(InstallExeWalk, ReturningUserWithAnAccountIsSetUpWithoutSigningUpAgain) {
  SeedUser("userid=luis.vuelve;password=clave&2;name=Luis;alias=luisv", true);
  const std::string user = Admin("/admin/user?userid=luis.vuelve");
  const size_t accountAt = user.find('\n');
  const std::string login = ItemValue(user, "userid", accountAt), pass = ItemValue(user, "pass", accountAt);
  ASSERT_FALSE(login.empty()) << user;

  InstallExe exe(Folder("marvella-install-returning-user"), UserPort());
  HWND sheet = exe.Start();
  ASSERT_NE(nullptr, sheet) << "install.exe showed no wizard";
  auto shoot = [&](int page) { Shoot(sheet, "install-returning-user-page-" + std::to_string(page)); };
  ASSERT_EQ("", WalkToResults(sheet, shoot, 3));
  HWND page = CurrentPage(sheet);
  HWND box = Fetch(exe, sheet, "luis.vuelve", "clave&2");
  ASSERT_NE(nullptr, box) << Text(page, IDC_UT_PROGRESS);
  EXPECT_EQ("Información del usuario obtenida.\nPuede continuar con la instalación.", MessageBoxText(box));
  Shoot(box, "install-returning-user-fetched");
  PressButton(box, IDOK);
  ASSERT_TRUE(Eventually([&] { return !IsWindow(box) && Usable(sheet, kNextButton); }));
  EXPECT_TRUE(modem.State().connections.empty()) << "the fetch's line is hung up";
  shoot(3);

  // Next passes through the results page, whose worker shows the account and its notice.
  PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
  HWND notice = WaitForProcessDialog(exe.Id(), sheet, 60000);
  ASSERT_NE(nullptr, notice) << WindowText(sheet);
  EXPECT_EQ("Acceso creado", WindowText(notice));
  Shoot(notice, "install-returning-user-notice");
  Shoot(sheet, "install-returning-user-page-7");  // passed through: as the notice finds it
  PressButton(notice, IDOK);
  ASSERT_TRUE(Eventually([&] { return Usable(sheet, kFinishButton); })) << WindowText(sheet);
  EXPECT_EQ("Instalador de Marvella - Conexión configurada", WindowText(sheet));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(sheet, IDCANCEL)));
  HWND results = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_INDEXTOHWND, 7, 0));
  ASSERT_NE(nullptr, results);
  EXPECT_EQ(login, Text(results, IDC_RS_USERID));
  EXPECT_EQ(pass, Text(results, IDC_RS_PASSWORD));
  EXPECT_EQ("192.0.2.53", Text(results, IDC_RS_DNS));
  EXPECT_EQ("luisv", Text(results, IDC_RS_ALIAS));
  EXPECT_EQ(0u, Text(results, IDC_RS_EMAIL).find(login + "@")) << Text(results, IDC_RS_EMAIL);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(results, IDC_RS_CREATE)));
  Shoot(sheet, "install-returning-user-page-8");
  PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
  ASSERT_TRUE(exe.Ended());

  // No sign-up call: one dial, the fetch's. The entry, monitor and shortcut are made as
  // for a new user, with the fetched account.
  EXPECT_EQ(1u, modem.Calls("RasDialA").size());
  rassim::SimState state = modem.State();
  rassim::SimEntry* entry = state.FindEntry(kDemoConnection);
  ASSERT_NE(nullptr, entry);
  EXPECT_STREQ("0" MARVELLA_DEFAULT_ACCESS_NUMBER, entry->record.szLocalPhoneNumber);
  EXPECT_EQ(login, entry->dialUser);
  EXPECT_EQ(pass, entry->dialPassword);
  EXPECT_EQ(nullptr, state.FindEntry(kSignUpEntry)) << "the sign-up entry outlived the installer";
  EXPECT_TRUE(state.connections.empty());
  EXPECT_TRUE(ReadFileBytes(windows + "\\marvella.exe") == ReadFileBytes(BinDir() + "marvella.exe"));
  Shortcut shortcut;
  EXPECT_TRUE(ReadShortcut(shortcutFile, shortcut)) << shortcutFile;
  EXPECT_EQ(kDemoConnection, shortcut.arguments);

  // The portal's home for a returning user (the service's passwords need no encoding), and
  // the start page.
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    EXPECT_EQ(kHome, RegText(root, kBrowserMainKey, "Start Page"));
    EXPECT_EQ(kHome, RegText(root, kBrowserMainKey, "Default_Page_URL"));
  }
  ASSERT_TRUE(Eventually([&] { return !ReadWholeLines(exe.BrowserLog()).empty(); }));
  EXPECT_EQ("http://" MARVELLA_PORTAL_HOST "/cgi-bin/gohome?user=" + login + "&password=" + pass,
            ReadWholeLines(exe.BrowserLog()).front());
}

// A returning user whose monitor program cannot be written (a folder holds its name): the
// failure comes in one box owned by the wizard and no notice says all is configured. The
// final actions run inside page 3's Next, and a Cancel queued behind it reaches the sheet
// while the failure's progress line pumps: it is refused (Wine's sheet also ignores a
// Cancel while it changes pages, so this walk alone would not catch a missing guard).
TEST_F(InstallExeWalk, ReturningUserIsToldWhatFailedAndCannotCancelWhileItRuns) {
  SeedUser("userid=rosa.vuelve;password=clave3;name=Rosa;alias=rosav", true);
  const std::string monitor = windows + "\\marvella.exe";
  ASSERT_TRUE(CreateDirectoryA(monitor.c_str(), nullptr));
  struct RemoveFolder {
    std::string path;
    ~RemoveFolder() { RemoveDirectoryA(path.c_str()); }
  } plantedFolder{monitor};

  InstallExe exe(Folder("marvella-install-failed-step"), UserPort());
  HWND sheet = exe.Start();
  ASSERT_NE(nullptr, sheet) << "install.exe showed no wizard";
  ASSERT_EQ("", WalkToResults(sheet, [](int) {}, 3));
  HWND page = CurrentPage(sheet);
  HWND box = Fetch(exe, sheet, "rosa.vuelve", "clave3");
  ASSERT_NE(nullptr, box) << Text(page, IDC_UT_PROGRESS);
  PressButton(box, IDOK);
  ASSERT_TRUE(Eventually([&] { return !IsWindow(box) && Usable(sheet, kNextButton); }));

  PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
  PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
  box = WaitForProcessDialog(exe.Id(), sheet, 60000);
  ASSERT_NE(nullptr, box) << WindowText(sheet);
  EXPECT_EQ(sheet, GetWindow(box, GW_OWNER));
  EXPECT_EQ("La instalación no se ha completado. Estos pasos no se han podido realizar:\n\n"
            "No se ha podido guardar el programa marvella.exe.",
            MessageBoxText(box));
  Shoot(box, "install-failed-step-box");
  PressButton(box, IDOK);
  ASSERT_TRUE(Eventually([&] { return Usable(sheet, kFinishButton); })) << WindowText(sheet);
  EXPECT_EQ("Instalador de Marvella - Conexión configurada", WindowText(sheet));
  EXPECT_EQ(nullptr, WaitForProcessDialog(exe.Id(), sheet, 2000)) << "no notice after the box";
  Shoot(sheet, "install-failed-step-page-8");
  PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
  ASSERT_TRUE(exe.Ended());

  Shortcut shortcut;
  ASSERT_TRUE(ReadShortcut(shortcutFile, shortcut)) << shortcutFile;
  EXPECT_EQ(Lower(monitor), Lower(shortcut.path)) << "where the monitor was to be written";
  EXPECT_NE(nullptr, modem.State().FindEntry(kDemoConnection));
}

// Libraries downloaded into install.exe's folder under the names of the system's common
// controls and sockets are never loaded, even where the system would take a native copy
// first (a Wine override says so here); the wizard still runs on the system's own.
TEST_F(InstallExeWalk, LibrariesPlantedBesideItAreNeverLoaded) {
  const char* planted[] = {"comctl32", "wsock32"};
  const std::string overrides = "Software\\Wine\\AppDefaults\\install.exe\\DllOverrides";
  InstallExe exe(Folder("marvella-install-planted"), UserPort());
  const std::string folder = Folder("marvella-install-planted") + "\\";
  // Declared after `exe`, so it goes first and the folder can go with it.
  struct Cleanup {
    std::string folder, overrides;
    ~Cleanup() {
      RegDeleteKeyA(HKEY_CURRENT_USER, overrides.c_str());
      for (const char* name : {"comctl32", "wsock32"}) {
        DeleteFileA((folder + name + ".dll").c_str());
        DeleteFileA((folder + "planted-" + name + ".dll.txt").c_str());
      }
    }
  } cleanup{folder, overrides};
  HKEY key;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, overrides.c_str(), 0, nullptr, 0,
                                           KEY_WRITE, nullptr, &key, nullptr));
  for (const char* name : planted) {
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>("native,builtin"), 15);
    ASSERT_TRUE(CopyTo(BinDir() + "planted\\planted.dll", folder + name + ".dll"));
  }
  RegCloseKey(key);

  HWND sheet = exe.Start();
  ASSERT_NE(nullptr, sheet) << "install.exe showed no wizard";
  ASSERT_EQ("", WalkToResults(sheet, [](int) {}, 2)) << "the common controls work";
  Shoot(sheet, "install-planted-libraries");
  PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
  ASSERT_TRUE(exe.Ended());
  for (const char* name : planted) {
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES,
              GetFileAttributesA((folder + "planted-" + name + ".dll.txt").c_str()))
        << name << " was loaded from install.exe's folder";
  }
  // The check's own control: loaded, the library does leave its mark.
  const std::string mark = BinDir() + "planted\\planted-planted.dll.txt";
  DeleteFileA(mark.c_str());
  HMODULE own = LoadLibraryA((BinDir() + "planted\\planted.dll").c_str());
  ASSERT_NE(nullptr, own);
  FreeLibrary(own);
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(mark.c_str()));
}

TEST(InstallExeWizard, FailedDialAndBusyServerLeaveTheResultsPageToTryAgain) {
  RemoteAccessConfigured remoteAccess;
  rassim::RasSimulatorSession modem(std::string("[service]\r\ndial-outcome = busy\r\n") + kModem);
  ToolbarRegistrationLock registration;  // start-up registers the library too
  InstallationTraces traces;
  InstallExe exe(Folder("marvella-install-failures"), UserPort());
  HWND sheet = exe.Start();
  ASSERT_NE(nullptr, sheet) << "install.exe showed no wizard";
  ASSERT_EQ("", WalkToResults(sheet, [&](int page) {
    Shoot(sheet, "install-failures-page-" + std::to_string(page));
  }));
  HWND page = CurrentPage(sheet);

  // A busy line (what each outcome shows is the page model's table; here, that it reaches
  // the page): the number dialled, and the page as it was. A second press and Cancel, queued
  // behind the first, reach the page while it dials (its progress lines pump them) and are
  // refused: the journal below has one dial.
  PostMessageA(GetDlgItem(page, IDC_RS_CREATE), BM_CLICK, 0, 0);
  PostMessageA(GetDlgItem(page, IDC_RS_CREATE), BM_CLICK, 0, 0);
  PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
  const std::string calling = "Llamando al 0" MARVELLA_DEFAULT_ACCESS_NUMBER "\r\n";
  ASSERT_TRUE(Eventually([&] { return Progress(sheet).size() > calling.size() + 2; }));
  std::string lines = Progress(sheet);
  EXPECT_EQ(0u, lines.find(calling)) << lines;
  EXPECT_TRUE(IsWindow(sheet));
  EXPECT_TRUE(Usable(sheet, kBackButton));
  EXPECT_FALSE(Usable(sheet, kNextButton));
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, IDC_RS_CREATE)));
  Shoot(sheet, "install-failures-busy-line");

  // Again, the line free now but the server busy: the failed call is hung up first, and
  // the server's refusal comes in a box owned by the wizard.
  modem.Change([](rassim::SimState& s) { s.service.dialOutcome = "connected"; });
  ASSERT_EQ("OK\n", Admin("/admin/fault?scope=user&kind=busy&count=1"));
  PostMessageA(GetDlgItem(page, IDC_RS_CREATE), BM_CLICK, 0, 0);
  HWND box = WaitForProcessDialog(exe.Id(), sheet, 60000);
  ASSERT_NE(nullptr, box) << Progress(sheet);
  EXPECT_EQ("Instalador", WindowText(box));
  EXPECT_EQ(sheet, GetWindow(box, GW_OWNER));
  Shoot(box, "install-failures-busy-server");
  PressButton(box, IDOK);
  ASSERT_TRUE(Eventually([&] { return Usable(sheet, kBackButton); }));
  EXPECT_FALSE(Usable(sheet, kNextButton));
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(sheet, IDCANCEL)));
  std::vector<std::string> calls;
  for (const rassim::JournalRecord& r : modem.Calls())
    if (r.function == "RasDialA" || r.function == "RasHangUpA")
      calls.push_back(r.function + " " + r.Get("handle") + " " + r.Get("result"));
  EXPECT_EQ((std::vector<std::string>{"RasDialA 1 676", "RasHangUpA 1 0", "RasDialA 2 0"}), calls);

  // Cancel: the line still held is dropped and the sign-up entry removed.
  PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
  ASSERT_TRUE(exe.Ended());
  rassim::SimState state = modem.State();
  EXPECT_TRUE(state.connections.empty());
  EXPECT_EQ(nullptr, state.FindEntry(kSignUpEntry));
}

// A new user's installation from the welcome page to Finish, under their own identifier
// and alias (the service keeps every account a walk makes). "" when it ended, else where not.
std::string InstallNewUser(InstallExe& exe, const char* userid, const char* alias,
                           const std::string& shots) {
  HWND sheet = exe.Start();
  if (!sheet) return "install.exe showed no wizard";
  std::string walked = WalkToResults(sheet, [&](int page) {
    if (page == 4) {
      SetDlgItemTextA(CurrentPage(sheet), IDC_UI_USERID, userid);
      SetDlgItemTextA(CurrentPage(sheet), IDC_UI_ALIAS, alias);
    }
  });
  if (!walked.empty()) return walked;
  Shoot(sheet, shots + "-results");
  if (!Eventually([&] { return Usable(sheet, kBackButton) && !Usable(sheet, kNextButton); }))
    return "no results page";
  PostMessageA(GetDlgItem(CurrentPage(sheet), IDC_RS_CREATE), BM_CLICK, 0, 0);
  HWND notice = WaitForProcessDialog(exe.Id(), sheet, 60000);
  if (!notice || WindowText(notice) != "Acceso creado") return "no notice: " + Progress(sheet);
  PressButton(notice, IDOK);
  if (!Eventually([&] { return Usable(sheet, kNextButton); })) return "no Next after the notice";
  PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
  if (!Eventually([&] { return Usable(sheet, kFinishButton); })) return "no Finish";
  PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
  return exe.Ended() ? std::string() : "install.exe did not end";
}

DWORD RegNumber(HKEY root, const char* path, const char* name) {
  DWORD value = 0, size = sizeof value;
  HKEY key;
  if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
  RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
  RegCloseKey(key);
  return value;
}

void SetPage(HKEY root, const char* name, const char* page) {
  HKEY key;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(root, kBrowserMainKey, 0, nullptr, 0, KEY_WRITE,
                                           nullptr, &key, nullptr));
  if (page)
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(page),
                   static_cast<DWORD>(std::strlen(page) + 1));
  else
    RegDeleteValueA(key, name);
  RegCloseKey(key);
}

// Gone, or named for deletion at the next start: in WININIT.INI (Windows 95 and 98) or in
// the session manager's pending operations (NT), as a source with an empty target.
std::string GoneOrScheduled(const std::string& path, const std::string& wininit) {
  char shortPath[MAX_PATH] = {};
  if (!GetShortPathNameA(path.c_str(), shortPath, sizeof shortPath)) return "gone";
  if (Lower(wininit).find(Lower(std::string("NUL=") + shortPath)) != std::string::npos)
    return "scheduled in WININIT.INI";
  std::string pending(65536, '\0');
  DWORD size = static_cast<DWORD>(pending.size() - 2);
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager", 0,
                    KEY_READ, &key) == ERROR_SUCCESS) {
    if (RegQueryValueExA(key, "PendingFileRenameOperations", nullptr, nullptr,
                         reinterpret_cast<BYTE*>(&pending[0]), &size) != ERROR_SUCCESS)
      size = 0;
    RegCloseKey(key);
  }
  const std::string deletion = Lower("\\??\\" + path + std::string(2, '\0'));
  return Lower(pending.substr(0, size + 1)).find(deletion) != std::string::npos
             ? "scheduled in the pending operations"
             : "still there";
}

TEST_F(InstallExeWalk, AddRemoveProgramsGivesTheMachineBackAndAnotherInstallationStartsClean) {
  // The machine before: a start page of the user's own, none under the machine's key, and
  // another dial-up entry.
  const char kOwnPage[] = "http://www.pagina-propia.example/";
  SetPage(HKEY_CURRENT_USER, "Start Page", kOwnPage);
  SetPage(HKEY_CURRENT_USER, "Default_Page_URL", kOwnPage);
  SetPage(HKEY_LOCAL_MACHINE, "Default_Page_URL", nullptr);
  modem.Change([](rassim::SimState& s) {
    rassim::SimEntry other;
    other.name = "Trabajo";
    other.record.dwSize = rassim::kEntrySize;
    std::strcpy(other.record.szLocalPhoneNumber, "915550000");
    s.entries.push_back(other);
  });
  const std::string wininitFile = windows + "\\wininit.ini";
  const bool hadWininit = GetFileAttributesA(wininitFile.c_str()) != INVALID_FILE_ATTRIBUTES;
  const std::string monitor = windows + "\\marvella.exe";
  const std::string library = SystemDirectory() + "\\tandem.dll";
  const std::string log = windows + "\\marvella.log";
  const std::string server = "CLSID\\" TANDEM_CLSID_TEXT "\\InprocServer32";

  {
    InstallExe exe(Folder("marvella-install-to-remove"), UserPort());
    ASSERT_EQ("", InstallNewUser(exe, "eva.baja", "evab", "uninstall-install"));
  }
  ASSERT_NE(nullptr, modem.State().FindEntry(kDemoConnection));
  ASSERT_TRUE(Eventually([&] {
    return RunningRegsvr32() == 0 &&
           Lower(RegText(HKEY_CLASSES_ROOT, server.c_str(), nullptr)) == Lower(library);
  }));

  // Add/Remove Programs lists it: name, the monitor's icon, a quoted command, no buttons to
  // modify or repair.
  EXPECT_EQ("Marvella acceso gratuito", RegText(HKEY_LOCAL_MACHINE, kUninstallEntryKey, "DisplayName"));
  EXPECT_EQ(Lower(monitor), Lower(RegText(HKEY_LOCAL_MACHINE, kUninstallEntryKey, "DisplayIcon")));
  std::string command = RegText(HKEY_LOCAL_MACHINE, kUninstallEntryKey, "UninstallString");
  EXPECT_EQ(Lower("\"" + monitor + "\" /desinstalar"), Lower(command));
  EXPECT_EQ(1u, RegNumber(HKEY_LOCAL_MACHINE, kUninstallEntryKey, "NoModify"));
  EXPECT_EQ(1u, RegNumber(HKEY_LOCAL_MACHINE, kUninstallEntryKey, "NoRepair"));
  // The log: one line per step with its result.
  const std::string logText = ReadFileBytes(log);
  for (std::string step : {"Barra del navegador \"" + library + "\": correcto",
                           std::string("Conexión de acceso telefónico \"") + kDemoConnection + "\": correcto",
                           "Programa \"" + monitor + "\": correcto",
                           std::string("Agregar o quitar programas \"Marvella acceso gratuito\": correcto"),
                           "Icono del escritorio \"" + shortcutFile + "\": correcto",
                           std::string("Página de inicio \"") + kHome + "\": correcto"})
    EXPECT_NE(std::string::npos, Lower(logText).find(Lower(step))) << step << "\n" << logText;

  // Since then the user chose a page of their own under the machine's key: it stays.
  const char kChosenPage[] = "http://www.elegida.example/";
  SetPage(HKEY_LOCAL_MACHINE, "Default_Page_URL", kChosenPage);

  // The command, as the control panel runs it; answered Sí.
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &si, &pi));
  HWND question = WaitForProcessDialog(pi.dwProcessId, nullptr, 60000);
  ASSERT_NE(nullptr, question);
  EXPECT_EQ(TEXT_UNINSTALL_CAPTION, WindowText(question));
  EXPECT_EQ(TEXT_UNINSTALL_QUESTION, MessageBoxText(question));
  EXPECT_TRUE(IsWindow(GetDlgItem(question, IDYES)) && IsWindow(GetDlgItem(question, IDNO)));
  Shoot(question, "uninstall-question");
  PressButton(question, IDYES);
  // The library tells the user it is unregistered, whatever the switches say.
  DWORD registrar = 0;
  ASSERT_TRUE(Eventually([&] { return (registrar = RunningRegsvr32()) != 0; }));
  HWND notice = WaitForProcessDialog(registrar, nullptr, 60000);
  ASSERT_NE(nullptr, notice);
  Shoot(notice, "uninstall-toolbar-notice");
  PressButton(notice, IDOK);
  HWND result = WaitForProcessDialog(pi.dwProcessId, question, 60000);
  ASSERT_NE(nullptr, result);
  const std::string said = MessageBoxText(result);
  EXPECT_EQ(0u, said.find(TEXT_UNINSTALL_DONE)) << said;
  Shoot(result, "uninstall-result");
  PressButton(result, IDOK);
  ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(pi.hProcess, 60000));
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);

  // From outside: as before the installation.
  EXPECT_EQ("(no key)", RegText(HKEY_LOCAL_MACHINE, kUninstallEntryKey, nullptr));
  EXPECT_EQ("(no key)", RegText(HKEY_LOCAL_MACHINE, kInstallRecordParent, nullptr));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(shortcutFile.c_str()));
  rassim::SimState state = modem.State();
  EXPECT_EQ(nullptr, state.FindEntry(kDemoConnection));
  ASSERT_NE(nullptr, state.FindEntry("Trabajo")) << "another entry was deleted";
  EXPECT_STREQ("915550000", state.FindEntry("Trabajo")->record.szLocalPhoneNumber);
  EXPECT_EQ(kOwnPage, RegText(HKEY_CURRENT_USER, kBrowserMainKey, "Start Page"));
  EXPECT_EQ(kOwnPage, RegText(HKEY_CURRENT_USER, kBrowserMainKey, "Default_Page_URL"));
  EXPECT_EQ("(none)", RegText(HKEY_LOCAL_MACHINE, kBrowserMainKey, "Start Page"));
  EXPECT_EQ(kChosenPage, RegText(HKEY_LOCAL_MACHINE, kBrowserMainKey, "Default_Page_URL"));
  EXPECT_EQ("(no key)", RegText(HKEY_CLASSES_ROOT, server.c_str(), nullptr));
  const std::string wininit = ReadFileBytes(wininitFile);
  const std::string libraryGone = GoneOrScheduled(library, wininit);
  const std::string monitorGone = GoneOrScheduled(monitor, wininit);
  EXPECT_NE("still there", libraryGone);
  EXPECT_NE("still there", monitorGone);
  EXPECT_NE("still there", GoneOrScheduled(log, wininit));
  std::printf("after the uninstall: tandem.dll %s, marvella.exe %s\n", libraryGone.c_str(),
              monitorGone.c_str());

  // Installing again: as on a clean machine, the user's page is again the one kept.
  {
    InstallExe exe(Folder("marvella-install-again"), UserPort());
    ASSERT_EQ("", InstallNewUser(exe, "eva.vuelve", "evav", "uninstall-reinstall"));
  }
  EXPECT_NE(nullptr, modem.State().FindEntry(kDemoConnection));
  Shortcut shortcut;
  EXPECT_TRUE(ReadShortcut(shortcutFile, shortcut));
  EXPECT_TRUE(ReadFileBytes(monitor) == ReadFileBytes(BinDir() + "marvella.exe"));
  EXPECT_EQ("Marvella acceso gratuito", RegText(HKEY_LOCAL_MACHINE, kUninstallEntryKey, "DisplayName"));
  EXPECT_EQ(kOwnPage, RegText(HKEY_LOCAL_MACHINE, kInstallRecordKey, "HKCU Start Page antes"));
  EXPECT_EQ(kChosenPage, RegText(HKEY_LOCAL_MACHINE, kInstallRecordKey, "HKLM Default_Page_URL antes"));
  EXPECT_EQ(kDemoConnection, RegText(HKEY_LOCAL_MACHINE, kInstallRecordKey, "Conexion"));
  // The new copies are off the list of deletions the uninstall left for the next start.
  EXPECT_EQ("still there", GoneOrScheduled(monitor, ReadFileBytes(wininitFile)));
  EXPECT_EQ("still there", GoneOrScheduled(library, ReadFileBytes(wininitFile)));
  if (!hadWininit) DeleteFileA(wininitFile.c_str());
  SetPage(HKEY_CURRENT_USER, "Default_Page_URL", nullptr);
  SetPage(HKEY_LOCAL_MACHINE, "Default_Page_URL", nullptr);
}

}  // namespace
}  // namespace marvella::test
