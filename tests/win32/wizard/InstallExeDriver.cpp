// install.exe driven from outside, and the machine read back.
#include "tests/win32/wizard/InstallExeDriver.h"

#include <objbase.h>
#include <prsht.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "common/OperatorSettings.h"
#include "installer/win32/WizardResource.h"
#include "tests/win32/support/HttpGet.h"
#include "tests/win32/support/TestPrograms.h"
#include "tests/win32/support/WindowDriver.h"
#include "tests/win32/wizard/DataPagesFill.h"

namespace marvella::test {

InstallExe::InstallExe(const std::string& folder, const std::string& userPort,
                       const std::string& iniSource, bool keep)
    : dir_(folder + "\\"), keep_(keep) {
  CreateDirectoryA(dir_.c_str(), nullptr);
  program_ = dir_ + "install.exe";
  for (const char* file : {"install.exe", "tandem.dll"})
    test::CopyTo(BinDir() + file, dir_ + file);
  DeleteFileA(BrowserLog().c_str());
  if (!iniSource.empty()) {
    test::CopyTo(iniSource, dir_ + "install.ini");
    return;
  }
  // The install.ini the build ships, its server address aside.
  std::ifstream shipped(BinDir() + "..\\dist-files\\install.ini", std::ios::binary);
  std::ofstream ini(dir_ + "install.ini", std::ios::binary);
  for (std::string line; std::getline(shipped, line);) {
    if (line.rfind("Server_IP=", 0) == 0) line = "Server_IP=127.0.0.1\r";
    if (line.rfind("Server_Port=", 0) == 0) line = "Server_Port=" + userPort + "\r";
    ini << line << "\n";
  }
}

InstallExe::~InstallExe() {
  if (process_.hProcess) {
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
      TerminateProcess(process_.hProcess, 1);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  if (keep_) return;
  for (const char* file : {"install.exe", "tandem.dll", "install.ini", "browser-log.txt"})
    DeleteFileA((dir_ + file).c_str());
  RemoveDirectoryA(dir_.c_str());
}

HWND InstallExe::Start() {
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  std::string commandLine = "\"" + program_ + "\"";
  if (!CreateProcessA(program_.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                      dir_.c_str(), &si, &process_))
    return nullptr;
  return WaitForProcessDialog(process_.dwProcessId, nullptr, 60000);
}

bool InstallExe::Ended() { return WaitForSingleObject(process_.hProcess, 60000) == WAIT_OBJECT_0; }

std::string Text(HWND page, int id) {
  char text[4096] = {};
  SendMessageA(GetDlgItem(page, id), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

// Selects `text` in a list of the page as a user's click does.
static void Choose(HWND page, int id, const char* text) {
  HWND list = GetDlgItem(page, id);
  SendMessageA(list, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
  SendMessageA(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

std::string Progress(HWND sheet) { return Text(CurrentPage(sheet), IDC_RS_PROGRESS); }

std::string WalkToResults(HWND sheet, const std::function<void(int page)>& shoot, int stopAt) {
  for (int page = 0; page < 8; ++page) {
    if (!Eventually([&] { return WindowText(sheet) == kPageTitles[page]; }))
      return "expected page " + std::to_string(page) + ", showing " + WindowText(sheet);
    if (page == stopAt) return std::string();
    HWND p = CurrentPage(sheet);
    if (page == 0) SendMessageA(GetDlgItem(p, IDC_NOT_CONNECTED), BM_CLICK, 0, 0);
    if (page == 1) SendMessageA(GetDlgItem(p, IDC_ACCEPT), BM_CLICK, 0, 0);
    if (page == 2) {
      Choose(p, IDC_HW_PROVINCE, kNoLocalNodeProvince);
      SendMessageA(GetDlgItem(p, IDC_HW_CITY), CB_SETCURSEL, 1, 0);  // its one city
      SendMessageA(p, WM_COMMAND, MAKEWPARAM(IDC_HW_CITY, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(GetDlgItem(p, IDC_HW_CITY)));
      SetDlgItemTextA(p, IDC_HW_PREFIX, "0");
      SetDlgItemTextA(p, IDC_HW_CONNECTION_NAME, kDemoConnection);
    }
    if (page == 4) {
      FillPersonalData(p);
      SendDlgItemMessageA(p, IDC_UI_PROVINCE, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                          reinterpret_cast<LPARAM>(kDemoProvince));
    }
    if (page == 5) AnswerInterests(p);
    if (!Eventually([&] { return Usable(sheet, kNextButton); }))
      return "no Next on page " + std::to_string(page);
    shoot(page);
    PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
  }
  return std::string();
}

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

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
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

std::string WindowsDirectory() {
  char path[MAX_PATH];
  return std::string(path, GetWindowsDirectoryA(path, sizeof path));
}

std::string SystemDirectory() {
  char path[MAX_PATH];
  return std::string(path, GetSystemDirectoryA(path, sizeof path));
}

std::string DesktopDirectory() {
  return RegText(HKEY_CURRENT_USER,
                 "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Desktop");
}

std::string Admin(const std::string& path) {
  const char* base = std::getenv("MARVELLA_DEVSERVICE_URL");
  return HttpGet(std::string(base ? base : "") + path);
}

std::string ItemValue(const std::string& list, const std::string& key, size_t from) {
  size_t at = list.find(key + "=", from);
  if (at == std::string::npos) return std::string();
  at += key.size() + 1;
  return list.substr(at, list.find(';', at) - at);
}

}  // namespace marvella::test
