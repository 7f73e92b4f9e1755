// install.exe itself under Wine, as a process of its own driven through its windows, against
// the reference service and the simulated remote-access service: a new user's whole
// installation, and a results page whose dial and sign-up fail. What the installation left
// on the machine is checked from outside afterwards.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <tlhelp32.h>
#include <wininet.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/OperatorSettings.h"
#include "installer/win32/WizardResource.h"
#include "tests/win32/support/RecordingBrowser.h"
#include "tests/win32/support/RemoteAccessKey.h"
#include "tests/win32/support/Screenshot.h"
#include "tests/win32/support/TestPrograms.h"
#include "tests/win32/support/WindowDriver.h"
#include "tests/win32/wizard/DataPagesFill.h"
#include "tests/win32/wizard/WizardUnderTest.h"
#include "toolbar/win32/ServerTexts.h"
// Last: it brings the SDK's remote-access header, whose macros would rename the kit's own
// records declared above.
#include "simulators/ras/RasSimulatorSession.h"

namespace marvella::test {
namespace {

const char kConnection[] = "Marvella Ana";  // typed on the hardware page
const char kSignUpEntry[] = "Marvella Alta";
const char kHome[] = "http://" MARVELLA_PORTAL_HOST "/";
const char kBrowserMain[] = "Software\\Microsoft\\Internet Explorer\\Main";
const char kModem[] = "[device]\r\ntype = modem\r\nname = Módem estándar\r\n";

// Polls until `done` holds or a minute passes; another process's queue cannot be settled.
template <typename Done>
bool Eventually(Done done) {
  for (int i = 0; i < 3000; ++i) {
    if (done()) return true;
    Sleep(20);
  }
  return done();
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string Get(const std::string& url) {
  std::string body;
  HINTERNET net = InternetOpenA("test", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
  HINTERNET req = InternetOpenUrlA(net, url.c_str(), nullptr, 0, INTERNET_FLAG_RELOAD, 0);
  char chunk[4096];
  DWORD got = 0;
  while (req && InternetReadFile(req, chunk, sizeof chunk, &got) && got > 0) body.append(chunk, got);
  if (req) InternetCloseHandle(req);
  InternetCloseHandle(net);
  return body;
}

std::string Admin(const std::string& path) {
  const char* url = std::getenv("MARVELLA_DEVSERVICE_URL");
  return Get(std::string(url ? url : "") + path);
}

// A value of a "key=value;" reply after `from`.
std::string Item(const std::string& reply, const std::string& key, size_t from = 0) {
  size_t at = reply.find(key + "=", from);
  if (at == std::string::npos) return std::string();
  at += key.size() + 1;
  return reply.substr(at, reply.find(';', at) - at);
}

std::string RegText(HKEY root, const char* path, const char* name) {
  char value[1024] = {};
  DWORD size = sizeof value - 1;
  HKEY key;
  if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return "(no key)";
  LONG r = RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(key);
  return r == ERROR_SUCCESS ? value : "(none)";
}

std::string Lower(std::string s) {
  if (!s.empty()) CharLowerBuffA(&s[0], static_cast<DWORD>(s.size()));
  return s;
}

std::string Directory(UINT (WINAPI* query)(LPSTR, UINT)) {
  char path[MAX_PATH];
  UINT n = query(path, sizeof path);
  return std::string(path, n);
}

int RunningRegsvr32() {
  int count = 0;
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32 p = {};
  p.dwSize = sizeof p;
  for (BOOL ok = Process32First(snap, &p); ok; ok = Process32Next(snap, &p))
    if (Lower(p.szExeFile) == "regsvr32.exe") ++count;
  CloseHandle(snap);
  return count;
}

// install.exe with tandem.dll and an install.ini for the reference service, in a folder of
// its own (its working directory, where the recording browser writes).
class InstallExe {
 public:
  explicit InstallExe(const char* name) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    dir_ = std::string(temp) + name + "\\";
    CreateDirectoryA(dir_.c_str(), nullptr);
    program_ = dir_ + "install.exe";
    for (const char* file : {"install.exe", "tandem.dll"})
      CopyFileA((BinDir() + file).c_str(), (dir_ + file).c_str(), FALSE);
    DeleteFileA(BrowserLog().c_str());
    const char* port = std::getenv("MARVELLA_DEVSERVICE_USER_PORT");
    std::FILE* f = std::fopen((dir_ + "install.ini").c_str(), "wb");
    std::fprintf(f, "[UserServer]\r\nProfileName=%s\r\nServer_IP=127.0.0.1\r\nServer_Port=%s\r\n",
                 kSignUpEntry, port ? port : "");
    std::fputs("DialUp_Username=alta\r\nDialUp_Password=alta\r\n", f);
    std::fputs("[Nodes]\r\nCity1=Acceso nacional\r\nState1=Zonas sin nodo local\r\nPhone1=" MARVELLA_DEFAULT_ACCESS_NUMBER "\r\n", f);
    std::fputs("City2=Madrid\r\nState2=Madrid\r\nPhone2=900100100\r\n", f);
    std::fclose(f);
  }
  ~InstallExe() {
    if (process_.hProcess) {
      if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
        TerminateProcess(process_.hProcess, 1);
      CloseHandle(process_.hThread);
      CloseHandle(process_.hProcess);
    }
    for (const char* file : {"install.exe", "tandem.dll", "install.ini", "browser-log.txt"})
      DeleteFileA((dir_ + file).c_str());
    RemoveDirectoryA(dir_.c_str());
  }

  HWND Start() {
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    std::string commandLine = "\"" + program_ + "\"";
    if (!CreateProcessA(program_.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        dir_.c_str(), &si, &process_))
      return nullptr;
    return WaitForProcessDialog(process_.dwProcessId, nullptr, 60000);
  }
  bool Ended() { return WaitForSingleObject(process_.hProcess, 60000) == WAIT_OBJECT_0; }
  DWORD Id() const { return process_.dwProcessId; }
  std::string BrowserLog() const { return dir_ + "browser-log.txt"; }

 private:
  std::string dir_, program_;
  PROCESS_INFORMATION process_ = {};
};

HWND CurrentPage(HWND sheet) {
  return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

bool Usable(HWND sheet, int id) {
  HWND b = GetDlgItem(sheet, id);
  return b && IsWindowVisible(b) && IsWindowEnabled(b);
}

// A control's text in another process: GetWindowText does not ask a window of another
// process, WM_GETTEXT does.
std::string Text(HWND page, int id) {
  char text[4096] = {};
  SendMessageA(GetDlgItem(page, id), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

std::string Progress(HWND sheet) { return Text(CurrentPage(sheet), IDC_RS_PROGRESS); }

void Shoot(HWND window, const char* name) { EXPECT_FALSE(SaveWindowScreenshot(window, name).empty()); }

// From the welcome page to the results page as a new user who is not on line, with prefix
// "0", the generic node and a connection name of its own.
void WalkToResults(HWND sheet, const char* shots) {
  const char* pages[] = {
      "Instalador de Marvella - Bienvenido",
      "Instalador de Marvella - Contrato",
      "Instalador de Marvella - Información sobre el hardware",
      "Instalador de Marvella - Tipo de usuario",
      "Instalador de Marvella - Datos necesarios",
      "Instalador de Marvella - Datos de interés",
      "Instalador de Marvella - Datos opcionales",
      "Instalador de Marvella - Alta en servicio Marvella de acceso gratuito",
  };
  for (int page = 0; page < 8; ++page) {
    ASSERT_TRUE(Eventually([&] { return WindowText(sheet) == pages[page]; }))
        << "expected page " << page << ", showing " << WindowText(sheet);
    if (page == 7) return;
    HWND p = CurrentPage(sheet);
    if (page == 0) SendMessageA(GetDlgItem(p, IDC_NOT_CONNECTED), BM_CLICK, 0, 0);
    if (page == 1) SendMessageA(GetDlgItem(p, IDC_ACCEPT), BM_CLICK, 0, 0);
    if (page == 2) {
      SendMessageA(GetDlgItem(p, IDC_HW_GENERIC_NODE), BM_CLICK, 0, 0);
      SetDlgItemTextA(p, IDC_HW_PREFIX, "0");
      SetDlgItemTextA(p, IDC_HW_CONNECTION_NAME, kConnection);
    }
    if (page == 4) FillPersonalData(p);
    if (page == 5) AnswerInterests(p);
    ASSERT_TRUE(Eventually([&] { return Usable(sheet, kNextButton); })) << "page " << page;
    char name[48];
    std::snprintf(name, sizeof name, "%s-page-%d", shots, page);
    Shoot(sheet, name);
    PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
  }
}

struct Shortcut {
  std::string path, arguments, description, icon;
  int iconIndex = -1;
};

bool ReadShortcut(const std::string& file, Shortcut& out) {
  CoInitialize(nullptr);
  IShellLinkA* link = nullptr;
  IPersistFile* persist = nullptr;
  WCHAR wide[MAX_PATH];
  MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
  bool ok = SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                       IID_IShellLinkA, reinterpret_cast<void**>(&link))) &&
            SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist))) &&
            SUCCEEDED(persist->Load(wide, STGM_READ));
  if (ok) {
    char text[MAX_PATH] = {};
    link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
    out.path = text;
    link->GetArguments(text, MAX_PATH);
    out.arguments = text;
    link->GetDescription(text, MAX_PATH);
    out.description = text;
    link->GetIconLocation(text, MAX_PATH, &out.iconIndex);
    out.icon = text;
  }
  if (persist) persist->Release();
  if (link) link->Release();
  CoUninitialize();
  return ok;
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
    std::string library = Directory(GetSystemDirectoryA) + "\\tandem.dll";
    std::string line = Directory(GetSystemDirectoryA) + "\\regsvr32.exe /u /s \"" + library + "\"";
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

TEST(InstallExeWizard, NewUserIsSignedUpAndTheMachineIsReadyAfterFinish) {
  RemoteAccessConfigured remoteAccess;
  rassim::RasSimulatorSession modem;  // the fresh service, for install.exe too: one modem
  ToolbarRegistrationLock registration;
  ASSERT_TRUE(UseRecordingBrowser());
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {  // as a browser leaves them
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(root, kBrowserMain, 0, nullptr, 0, KEY_WRITE, nullptr,
                                             &key, nullptr));
    RegDeleteValueA(key, "Start Page");
    RegCloseKey(key);
  }
  const std::string windows = Directory(GetWindowsDirectoryA);
  const std::string desktop =
      RegText(HKEY_CURRENT_USER,
              "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Desktop");
  const std::string shortcutFile = desktop + "\\" + kConnection + ".LNK";
  DeleteFileA((windows + "\\marvella.exe").c_str());
  DeleteFileA(shortcutFile.c_str());

  InstallExe exe("marvella-install-new-user");
  HWND sheet = exe.Start();
  ASSERT_NE(nullptr, sheet) << "install.exe showed no wizard";
  WalkToResults(sheet, "install-new-user");
  ASSERT_FALSE(HasFailure());
  EXPECT_TRUE(Usable(sheet, kBackButton));
  EXPECT_FALSE(Usable(sheet, kNextButton));
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
  const std::string login = Item(user, "userid", accountAt), pass = Item(user, "pass", accountAt);
  ASSERT_FALSE(login.empty()) << user;
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
  rassim::SimEntry* entry = state.FindEntry(kConnection);
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
  EXPECT_EQ("marvella.exe", Lower(shortcut.path.substr(shortcut.path.find_last_of("\\/") + 1)));
  EXPECT_EQ(kConnection, shortcut.arguments);
  EXPECT_EQ(kConnection, shortcut.description);
  EXPECT_EQ(Lower(windows + "\\marvella.exe"), Lower(shortcut.icon));
  EXPECT_EQ(0, shortcut.iconIndex);

  // The browser: the start page under both keys, and the portal's first visit.
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    EXPECT_EQ(kHome, RegText(root, kBrowserMain, "Start Page"));
    EXPECT_EQ(kHome, RegText(root, kBrowserMain, "Default_Page_URL"));
  }
  const std::string visit = "http://" MARVELLA_PORTAL_HOST "/cgi-bin/logon?user=" + login +
                            "&password=" + pass + "&conexion=1";
  ASSERT_TRUE(Eventually([&] { return !ReadWholeLines(exe.BrowserLog()).empty(); }));
  EXPECT_EQ(visit, ReadWholeLines(exe.BrowserLog()).front());

  // The toolbar library in the system directory, registered there.
  const std::string library = Directory(GetSystemDirectoryA) + "\\tandem.dll";
  EXPECT_TRUE(ReadFileBytes(library) == ReadFileBytes(BinDir() + "tandem.dll"));
  const std::string server = "CLSID\\" TANDEM_CLSID_TEXT "\\InprocServer32";
  EXPECT_TRUE(Eventually([&] {
    return Lower(RegText(HKEY_CLASSES_ROOT, server.c_str(), nullptr)) == Lower(library);
  })) << RegText(HKEY_CLASSES_ROOT, server.c_str(), nullptr);
}

TEST(InstallExeWizard, FailedDialAndBusyServerLeaveTheResultsPageToTryAgain) {
  RemoteAccessConfigured remoteAccess;
  rassim::RasSimulatorSession modem(std::string("[service]\r\ndial-outcome = busy\r\n") + kModem);
  ToolbarRegistrationLock registration;  // start-up registers the library too
  InstallExe exe("marvella-install-failures");
  HWND sheet = exe.Start();
  ASSERT_NE(nullptr, sheet) << "install.exe showed no wizard";
  WalkToResults(sheet, "install-failures");
  ASSERT_FALSE(HasFailure());
  HWND page = CurrentPage(sheet);

  // A busy line: the system's text under the number dialled, and the page as it was.
  PostMessageA(GetDlgItem(page, IDC_RS_CREATE), BM_CLICK, 0, 0);
  const std::string calling = "Llamando al 0" MARVELLA_DEFAULT_ACCESS_NUMBER "\r\n";
  ASSERT_TRUE(Eventually([&] { return Progress(sheet).size() > calling.size() + 2; }));
  std::string lines = Progress(sheet);
  EXPECT_EQ(0u, lines.find(calling)) << lines;
  EXPECT_EQ(std::string::npos, lines.find("Conectando")) << lines;
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
  EXPECT_EQ(0u, MessageBoxText(box).find(
                    "Error en la negociación de la información de usuario.\nMotivo: "))
      << MessageBoxText(box);
  EXPECT_EQ(sheet, GetWindow(box, GW_OWNER));
  Shoot(box, "install-failures-busy-server");
  PressButton(box, IDOK);
  ASSERT_TRUE(Eventually([&] { return Usable(sheet, kBackButton); }));
  EXPECT_FALSE(Usable(sheet, kNextButton));
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(sheet, IDCANCEL)));
  EXPECT_TRUE(Text(page, IDC_RS_USERID).empty());
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

}  // namespace
}  // namespace marvella::test
