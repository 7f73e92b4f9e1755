// The toolbar registered for the test browser and seen from outside: registration of the
// loopback copy of tandem.dll, a browser run driven by a script and the journal, the
// toolbar's windows in a browser frame, the settings key and the reference service.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace marvella::test {

// tandem.dll (built to use the service on loopback) registered with the registration tool
// while it lives, under the locks of every test that registers it or changes the helper
// key; unregistered at the end.
class RegisteredToolbar {
 public:
  RegisteredToolbar();
  ~RegisteredToolbar();
  bool Registered() const { return registered_; }

 private:
  bool Run(const std::string& options);
  HANDLE registrationLock_;
  HANDLE helpersLock_;
  bool registered_ = false;
};

// One run of iexplore.exe with a script, in a fresh folder that is also its temporary one.
class BrowserRun {
 public:
  // options: more command-line options, e.g. "--no-helpers".
  BrowserRun(const char* name, const std::string& script, const std::string& options = "");
  ~BrowserRun();
  bool Started() const { return process_ != nullptr; }
  std::vector<std::string> Journal() const;
  // Lines starting with prefix; waits (about a minute at most) until there are count.
  std::vector<std::string> WaitLines(const std::string& prefix, size_t count) const;
  // Lets the script's "wait-file <folder>NAME" go on.
  void Go(const char* name) const;
  std::string Folder() const { return folder_; }
  // Waits for the program to end; its exit code (99 when it did not end in time).
  DWORD Finish();

 private:
  std::string folder_, log_;
  HANDLE process_ = nullptr;
};

std::vector<std::string> Matching(const std::vector<std::string>& lines, const std::string& start);

// The run's journal after it finished: this many windows closed with no browser reference
// left, and no call failed or came on the wrong thread.
void ExpectClosedCleanly(const std::vector<std::string>& journal, size_t windows);
// The window handle after "key=" in a journal line ("frame=", "rebar=").
HWND HandleIn(const std::string& line, const char* key);

// The toolbar in a rebar: its host window and its toolbar controls, visible ones left to
// right (expanded: banner, home, tools, search button, mail, menus).
struct ToolbarWindows {
  HWND bar = nullptr;
  std::vector<HWND> visible;
  std::vector<HWND> hidden;
};
ToolbarWindows FindToolbar(HWND rebar);
// A click posted to a toolbar at (x, middle): x < 0 counts from the right edge, 0 is the
// middle.
void ClickAt(HWND toolbar, int x);
// The pixels of a window as the screen shows them.
std::string Pixels(HWND window);
// Runs until done() holds, about a minute at most.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = 60000);

// HKCU "Software\Marvella": value name, or null to delete it.
void SetSetting(const char* name, const char* value);
std::string Setting(const char* name);  // "<none>" when absent

// GET of a path of the reference service (e.g. "/admin/set?mail=3"); the body.
std::string Service(const std::string& path);
std::string ServiceUrl();

}  // namespace marvella::test
