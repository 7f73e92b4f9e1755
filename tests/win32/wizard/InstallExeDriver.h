// Driving install.exe as a process of its own, as a user would, and reading what it left on
// the machine: shared by its window walks and by the demo's driver.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "tests/win32/wizard/SheetDriver.h"

namespace marvella::test {

constexpr char kDemoConnection[] = "Marvella Ana";  // typed on the hardware page
constexpr char kNoLocalNodeProvince[] = "Zonas sin nodo local";  // chosen there
constexpr char kDemoProvince[] = "Cádiz";  // chosen on the personal-data page
constexpr char kBrowserMainKey[] = "Software\\Microsoft\\Internet Explorer\\Main";

// install.exe with tandem.dll and the install.ini the build ships, pointed at the user
// server on 127.0.0.1 at `userPort`, in `folder` (created; its working directory, where the
// recording browser writes). A non-empty `iniSource` is copied as install.ini instead. With `keep`, the
// folder stays afterwards.
class InstallExe {
 public:
  InstallExe(const std::string& folder, const std::string& userPort,
             const std::string& iniSource = std::string(), bool keep = false);
  ~InstallExe();
  InstallExe(const InstallExe&) = delete;
  InstallExe& operator=(const InstallExe&) = delete;

  // Starts it and waits for the wizard; null when none showed.
  HWND Start();
  // Waits for it to end (a minute at most).
  bool Ended();
  DWORD Id() const { return process_.dwProcessId; }
  std::string BrowserLog() const { return dir_ + "browser-log.txt"; }

 private:
  std::string dir_, program_;
  bool keep_;
  PROCESS_INFORMATION process_ = {};
};

// A control's text in another process (WM_GETTEXT: GetWindowText does not ask there).
std::string Text(HWND page, int id);
std::string Progress(HWND sheet);  // the results page's progress box

// From the welcome page to the results page as a new user who is not on line, with prefix
// "0", the nationwide node ("Zonas sin nodo local", its one city), kDemoConnection and
// kDemoProvince; `shoot(page)` runs on each page before Next.
// "" when the results page (or page `stopAt`) shows, else what went wrong.
std::string WalkToResults(HWND sheet, const std::function<void(int page)>& shoot, int stopAt = 7);

struct Shortcut {
  std::string path, arguments, description, icon;
  int iconIndex = -1;
};
// Loads a .LNK through the shell-link object; false when it cannot be read.
bool ReadShortcut(const std::string& file, Shortcut& out);

std::string ReadFileBytes(const std::string& path);
// A registry text; "(no key)" or "(none)" when absent. `name` null: the default value.
std::string RegText(HKEY root, const char* path, const char* name);
std::string Lower(std::string s);
std::string WindowsDirectory();
std::string SystemDirectory();
std::string DesktopDirectory();
// GET on the reference service's web server (MARVELLA_DEVSERVICE_URL + path).
std::string Admin(const std::string& path);
// A value of a "key=value;" list, searched from `from`.
std::string ItemValue(const std::string& list, const std::string& key, size_t from = 0);

}  // namespace marvella::test
