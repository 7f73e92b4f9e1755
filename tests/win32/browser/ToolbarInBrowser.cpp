// Registration, browser runs, the toolbar's windows, settings and service for the walks of
// the toolbar in the test browser.
#include "tests/win32/browser/ToolbarInBrowser.h"

#include "tests/win32/support/HttpGet.h"
#include "tests/win32/support/TestPrograms.h"
#include "tests/win32/support/WindowDriver.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace marvella::test {

namespace {
const char kSettingsKey[] = "Software\\Marvella";

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

// Runs a program to its end; a message box it shows is answered with OK.
bool RunAndWait(const std::string& program, const std::string& arguments) {
  std::string line = Quoted(program) + " " + arguments;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(program.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process))
    return false;
  CloseHandle(process.hThread);
  DWORD code = 1;
  for (DWORD start = GetTickCount(); GetTickCount() - start < 120000;) {
    if (WaitForSingleObject(process.hProcess, 50) == WAIT_OBJECT_0) {
      GetExitCodeProcess(process.hProcess, &code);
      break;
    }
    if (HWND box = WaitForProcessDialog(process.dwProcessId, nullptr, 0)) PressButton(box, IDOK);
  }
  CloseHandle(process.hProcess);
  return code == 0;
}

std::string LibraryPath() { return BinDir() + "loopback\\tandem.dll"; }
}  // namespace

RegisteredToolbar::RegisteredToolbar()
    : registrationLock_(CreateMutexA(nullptr, FALSE, "marvella-toolbar-registration")),
      helpersLock_(CreateMutexA(nullptr, FALSE, "marvella-browser-helpers-key")) {
  WaitForSingleObject(registrationLock_, 180000);
  WaitForSingleObject(helpersLock_, 180000);
  registered_ = Run("/s");
}

RegisteredToolbar::~RegisteredToolbar() {
  Run("/u /s");
  ReleaseMutex(helpersLock_);
  ReleaseMutex(registrationLock_);
  CloseHandle(helpersLock_);
  CloseHandle(registrationLock_);
}

bool RegisteredToolbar::Run(const std::string& options) {
  char system[MAX_PATH];
  GetSystemDirectoryA(system, sizeof system);
  return RunAndWait(std::string(system) + "\\regsvr32.exe", options + " " + Quoted(LibraryPath()));
}

BrowserRun::BrowserRun(const char* name, const std::string& script, const std::string& options) {
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  folder_ = std::string(temp) + name + "-" + std::to_string(GetCurrentProcessId()) + "\\";
  CreateDirectoryA(folder_.c_str(), nullptr);
  log_ = folder_ + "journal.txt";
  DeleteFileA(log_.c_str());
  std::string scriptFile = folder_ + "script.txt";
  FILE* f = std::fopen(scriptFile.c_str(), "w");
  if (!f) return;
  std::fputs(script.c_str(), f);
  std::fclose(f);
  // The toolbar keeps its page files in the temporary folder: this run's own.
  SetEnvironmentVariableA("TMP", folder_.c_str());
  SetEnvironmentVariableA("TEMP", folder_.c_str());
  std::string program = BinDir() + "browser\\iexplore.exe";
  process_ = StartProgram(program,
                          Quoted(program) + " --log " + Quoted(log_) + " --script " +
                              Quoted(scriptFile) + " " + options,
                          folder_.c_str());
  SetEnvironmentVariableA("TMP", temp);
  SetEnvironmentVariableA("TEMP", temp);
}

BrowserRun::~BrowserRun() {
  if (!process_) return;
  if (WaitForSingleObject(process_, 0) != WAIT_OBJECT_0) TerminateProcess(process_, 98);
  CloseHandle(process_);
}

std::vector<std::string> BrowserRun::Journal() const { return ReadWholeLines(log_); }

std::vector<std::string> BrowserRun::WaitLines(const std::string& prefix, size_t count) const {
  std::vector<std::string> lines;
  WaitUntil([&] {
    lines = Matching(Journal(), prefix);
    return lines.size() >= count;
  });
  return lines;
}

void BrowserRun::Go(const char* name) const {
  FILE* f = std::fopen((folder_ + name).c_str(), "w");
  if (f) std::fclose(f);
}

DWORD BrowserRun::Finish() {
  DWORD code = 99;
  if (process_ && WaitForSingleObject(process_, 180000) == WAIT_OBJECT_0)
    GetExitCodeProcess(process_, &code);
  return code;
}

std::vector<std::string> Matching(const std::vector<std::string>& lines, const std::string& start) {
  std::vector<std::string> out;
  for (const std::string& l : lines)
    if (l.compare(0, start.size(), start) == 0) out.push_back(l);
  return out;
}

HWND HandleIn(const std::string& line, const char* key) {
  size_t at = line.find(std::string(" ") + key + "=");
  if (at == std::string::npos) return nullptr;
  return reinterpret_cast<HWND>(
      static_cast<UINT_PTR>(std::strtoull(line.c_str() + at + std::strlen(key) + 2, nullptr, 16)));
}

namespace {
BOOL CALLBACK FindBar(HWND window, LPARAM found) {
  char name[64];
  if (GetClassNameA(window, name, sizeof name) && lstrcmpA(name, "TandemBarClass") == 0) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

int Left(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return r.left;
}
}  // namespace

ToolbarWindows FindToolbar(HWND rebar) {
  ToolbarWindows t;
  EnumChildWindows(rebar, FindBar, reinterpret_cast<LPARAM>(&t.bar));
  if (!t.bar) return t;
  for (HWND child = GetWindow(t.bar, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char name[64];
    if (!GetClassNameA(child, name, sizeof name) || lstrcmpA(name, TOOLBARCLASSNAMEA) != 0) continue;
    (IsWindowVisible(child) ? t.visible : t.hidden).push_back(child);
  }
  std::sort(t.visible.begin(), t.visible.end(), [](HWND a, HWND b) { return Left(a) < Left(b); });
  return t;
}

void ClickAt(HWND toolbar, int x) {
  RECT r;
  GetClientRect(toolbar, &r);
  LPARAM at = MAKELPARAM(x < 0 ? r.right + x : x == 0 ? r.right / 2 : x, r.bottom / 2);
  PostMessageA(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(toolbar, WM_LBUTTONUP, 0, at);
}

std::string Pixels(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return std::string();
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  std::string pixels(static_cast<const char*>(bits), size_t(w) * h * 4);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(20))
    if (done()) return true;
  return done();
}

void SetSetting(const char* name, const char* value) {
  HKEY key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      &key, nullptr) != ERROR_SUCCESS)
    return;
  if (value)
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                   DWORD(lstrlenA(value) + 1));
  else
    RegDeleteValueA(key, name);
  RegCloseKey(key);
}

std::string Setting(const char* name) {
  char value[256];
  DWORD size = sizeof value - 1, type = 0;
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
    return "<none>";
  LONG result = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS) return "<none>";
  value[size] = '\0';
  return value;
}

std::string ServiceUrl() {
  const char* url = std::getenv("MARVELLA_DEVSERVICE_URL");
  return url ? url : "http://127.0.0.1:1";
}

std::string Service(const std::string& path) { return HttpGet(ServiceUrl() + path); }

void ExpectClosedCleanly(const std::vector<std::string>& journal, size_t windows) {
  std::vector<std::string> closed = Matching(journal, "closed ");
  EXPECT_EQ(windows, closed.size());
  for (const std::string& line : closed)
    EXPECT_NE(std::string::npos, line.find("browser-refs=0")) << line;
  EXPECT_TRUE(Matching(journal, "failed").empty());
  EXPECT_TRUE(Matching(journal, "wrong-thread").empty());
}

}  // namespace marvella::test
