// testbrowser.exe: a stand-in for the web browser that hosts helper objects the way the
// real one does, one thread per window, driven by a script; it journals what it was asked.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "simulators/browser/BrowserLog.h"
#include "simulators/browser/BrowserWindow.h"

namespace testbrowser {
namespace {

const DWORD kCommandTimeoutMs = 60000;

CRITICAL_SECTION tableLock;
std::vector<BrowserWindow*> windows;  // window N is windows[N - 1]; never freed
int current = 0;
int failures = 0;

BrowserWindow* Find(int number) {
  EnterCriticalSection(&tableLock);
  BrowserWindow* w = number >= 1 && number <= int(windows.size()) ? windows[size_t(number - 1)]
                                                                  : nullptr;
  LeaveCriticalSection(&tableLock);
  return w;
}

std::vector<BrowserWindow*> OpenWindows() {
  std::vector<BrowserWindow*> open;
  EnterCriticalSection(&tableLock);
  for (BrowserWindow* w : windows)
    if (!w->Closed()) open.push_back(w);
  LeaveCriticalSection(&tableLock);
  return open;
}

BrowserWindow* OpenWindow(const std::wstring& url, bool wait) {
  EnterCriticalSection(&tableLock);
  auto* w = new BrowserWindow(int(windows.size()) + 1, url);
  windows.push_back(w);
  LeaveCriticalSection(&tableLock);
  return w->Start(wait) ? w : nullptr;
}

void CloseAll(DWORD waitMs) {
  for (BrowserWindow* w : OpenWindows()) w->PostClose();
  EnterCriticalSection(&tableLock);
  std::vector<BrowserWindow*> all = windows;
  LeaveCriticalSection(&tableLock);
  for (BrowserWindow* w : all)
    if (w->Thread() && WaitForSingleObject(w->Thread(), waitMs) != WAIT_OBJECT_0)
      Log("close-timeout %d", w->Number());
}

// Every window has finished the navigations it started, and a message sent after them has
// gone through each window's queue.
bool WaitIdle(DWORD timeoutMs) {
  DWORD start = GetTickCount();
  while (GetTickCount() - start < timeoutMs) {
    bool busy = false;
    for (BrowserWindow* w : OpenWindows()) busy = busy || w->Busy();
    if (!busy) {
      for (BrowserWindow* w : OpenWindows()) w->Run("noop", "", timeoutMs);
      bool still = false;
      for (BrowserWindow* w : OpenWindows()) still = still || w->Busy();
      if (!still) return true;
    }
    Sleep(20);
  }
  Log("wait-idle timeout");
  return false;
}

// A test outside drives the windows meanwhile, and makes the file when it is done.
bool WaitFile(const std::string& path) {
  for (DWORD start = GetTickCount(); GetTickCount() - start < 2 * kCommandTimeoutMs; Sleep(20))
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  Log("wait-file timeout");
  return false;
}

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t\r\n");
  if (b == std::string::npos) return std::string();
  size_t e = s.find_last_not_of(" \t\r\n");
  return s.substr(b, e - b + 1);
}

bool OnOff(const std::string& v) { return v == "on" || v == "1" || v == "yes"; }

enum class Outcome { kDone, kFailed, kQuit };

Outcome RunLine(const std::string& line) {
  std::string text = Trim(line);
  if (text.empty() || text[0] == '#') return Outcome::kDone;
  size_t blank = text.find(' ');
  std::string verb = text.substr(0, blank);
  std::string args = blank == std::string::npos ? std::string() : Trim(text.substr(blank));
  Log("script %s", text.c_str());
  int n = std::atoi(args.c_str());
  bool ok = true;
  if (verb == "open" || verb == "new-window") {
    BrowserWindow* w = OpenWindow(Widen(args), true);
    ok = w != nullptr;
    if (w) current = w->Number();
  } else if (verb == "window") {
    ok = Find(n) != nullptr;
    if (ok) current = n;
  } else if (verb == "close-window") {
    BrowserWindow* w = Find(args.empty() ? current : n);
    ok = w && !w->Closed();
    if (ok) {
      w->PostClose();
      ok = WaitForSingleObject(w->Thread(), kCommandTimeoutMs) == WAIT_OBJECT_0;
      // Closing the current window makes the last one still open current.
      if (w->Number() == current)
        for (BrowserWindow* open : OpenWindows()) current = open->Number();
    }
  } else if (verb == "wait-ms") {
    Sleep(DWORD(n));
  } else if (verb == "wait-idle") {
    ok = WaitIdle(args.empty() ? kCommandTimeoutMs : DWORD(n));
  } else if (verb == "wait-file") {
    ok = WaitFile(args);
  } else if (verb == "log") {
    Log("note %s", args.c_str());
  } else if (verb == "quit") {
    return Outcome::kQuit;
  } else if (verb == "helpers") {
    RunSettings().loadHelpers = OnOff(args);
  } else if (verb == "free-at-close") {
    RunSettings().freeAtClose = OnOff(args);
  } else if (verb == "free-delay-ms") {
    RunSettings().freeDelayMs = n;
  } else if (verb == "nav-delay-ms") {
    RunSettings().navigationDelayMs = n;
    BrowserWindow* w = Find(current);
    if (w && !w->Closed()) ok = w->Run(verb, args, kCommandTimeoutMs);
  } else {
    static const char* const kWindowVerbs[] = {
        "navigate", "frames", "back", "forward", "refresh", "append-band", "append-band-w", "bands",
        "focus", "key", "type", "click", "screenshot", "free-libraries"};
    bool known = false;
    for (const char* v : kWindowVerbs) known = known || verb == v;
    if (!known) {
      Log("error unknown-command %s", verb.c_str());
      ++failures;
      return Outcome::kFailed;
    }
    BrowserWindow* w = Find(current);
    ok = w && w->Run(verb, args, kCommandTimeoutMs);
  }
  if (!ok) {
    Log("failed %s", text.c_str());
    ++failures;
  }
  return ok ? Outcome::kDone : Outcome::kFailed;
}

bool ReadScript(const std::string& path, std::vector<std::string>* lines) {
  FILE* f = std::fopen(path.c_str(), "r");
  if (!f) return false;
  char line[2048];
  while (std::fgets(line, sizeof line, f)) lines->push_back(line);
  std::fclose(f);
  return true;
}

DWORD WINAPI Deadline(void* ms) {
  Sleep(DWORD(reinterpret_cast<UINT_PTR>(ms)));
  Log("deadline-reached");
  CloseAll(10000);
  ExitProcess(3);
}

}  // namespace

// Word from window threads.
void OpenWindowFromBrowser(const std::wstring& url) { OpenWindow(url, false); }

void WindowClosing(int number) {
  for (BrowserWindow* w : OpenWindows())
    if (w->Number() != number) w->PostFreeLater();
}

}  // namespace testbrowser

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using namespace testbrowser;
  InitializeCriticalSection(&tableLock);
  std::string logPath;
  if (const char* env = std::getenv("MARVELLA_BROWSER_LOG")) logPath = env;
  std::vector<std::string> lines;
  std::string scriptError;
  DWORD deadlineMs = 0;
  for (int i = 1; i < __argc; ++i) {
    std::string a = __argv[i];
    bool hasValue = i + 1 < __argc;
    if (a == "--log" && hasValue) {
      logPath = __argv[++i];
    } else if (a == "--script" && hasValue) {
      std::string path = __argv[++i];
      if (!ReadScript(path, &lines)) scriptError = path;
    } else if (a == "--do" && hasValue) {
      lines.push_back(__argv[++i]);
    } else if (a == "--free-at-close") {
      RunSettings().freeAtClose = true;
    } else if (a == "--free-delay-ms" && hasValue) {
      RunSettings().freeDelayMs = std::atoi(__argv[++i]);
    } else if (a == "--nav-delay-ms" && hasValue) {
      RunSettings().navigationDelayMs = std::atoi(__argv[++i]);
    } else if (a == "--no-helpers") {
      RunSettings().loadHelpers = false;
    } else if (a == "--timeout-ms" && hasValue) {
      deadlineMs = DWORD(std::strtoul(__argv[++i], nullptr, 10));
    } else if (!a.empty() && a[0] != '-') {
      lines.insert(lines.begin(), "open " + a);
    } else {
      scriptError = "option " + a;
    }
  }
  OpenLog(logPath);
  char program[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, program, MAX_PATH - 1);
  const char* name = std::strrchr(program, '\\');
  Log("start %s pid=%lu", name ? name + 1 : program, GetCurrentProcessId());
  if (!scriptError.empty()) {
    Log("error cannot-read %s", scriptError.c_str());
    return 2;
  }
  if (!BrowserWindow::RegisterClasses()) {
    Log("error classes");
    return 2;
  }
  if (deadlineMs)
    CloseHandle(CreateThread(nullptr, 0, Deadline, reinterpret_cast<void*>(UINT_PTR(deadlineMs)),
                             0, nullptr));
  if (lines.empty()) lines.push_back("open about:blank");
  bool quit = false;
  for (const std::string& line : lines) {
    if (RunLine(line) == Outcome::kQuit) {
      quit = true;
      break;
    }
  }
  if (quit) {
    CloseAll(kCommandTimeoutMs);
  } else {
    while (!OpenWindows().empty()) Sleep(100);  // the person at the screen closes them
  }
  Log("exit failures=%d", failures);
  ExitProcess(failures ? 1 : 0);
}
