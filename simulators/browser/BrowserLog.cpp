// Journal of the test browser: lines are written whole under a lock, so a reader in
// another process never sees a half line from two windows' threads.
#include "simulators/browser/BrowserLog.h"

#include <cstdarg>
#include <cstdio>

namespace testbrowser {
namespace {

CRITICAL_SECTION* LogLock() {
  static CRITICAL_SECTION lock;
  static bool ready = false;
  if (!ready) {  // first called from the main thread, before any window thread starts
    InitializeCriticalSection(&lock);
    ready = true;
  }
  return &lock;
}

HANDLE logFile = INVALID_HANDLE_VALUE;

}  // namespace

void OpenLog(const std::string& path) {
  LogLock();
  if (path.empty()) return;
  logFile = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                        nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (logFile != INVALID_HANDLE_VALUE) SetFilePointer(logFile, 0, nullptr, FILE_END);
}

void Log(const char* format, ...) {
  if (logFile == INVALID_HANDLE_VALUE) return;
  char line[2048];
  va_list args;
  va_start(args, format);
  int n = std::vsnprintf(line, sizeof line - 2, format, args);
  va_end(args);
  if (n < 0) return;
  if (n > int(sizeof line) - 3) n = int(sizeof line) - 3;
  line[n++] = '\r';
  line[n++] = '\n';
  EnterCriticalSection(LogLock());
  DWORD written = 0;
  WriteFile(logFile, line, DWORD(n), &written, nullptr);
  FlushFileBuffers(logFile);
  LeaveCriticalSection(LogLock());
}

long long Microseconds() {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return frequency.QuadPart ? now.QuadPart * 1000000 / frequency.QuadPart : 0;
}

std::string Narrow(const wchar_t* text) {
  if (!text || !*text) return std::string();
  int n = WideCharToMultiByte(1252, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return std::string();
  std::string out(size_t(n), '\0');
  WideCharToMultiByte(1252, 0, text, -1, &out[0], n, nullptr, nullptr);
  out.resize(size_t(n - 1));
  return out;
}

std::wstring Widen(const std::string& text) {
  if (text.empty()) return std::wstring();
  int n = MultiByteToWideChar(1252, 0, text.c_str(), -1, nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring out(size_t(n), L'\0');
  MultiByteToWideChar(1252, 0, text.c_str(), -1, &out[0], n);
  out.resize(size_t(n - 1));
  return out;
}

std::string GuidText(REFGUID g) {
  char text[40];
  std::snprintf(text, sizeof text, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                static_cast<unsigned long>(g.Data1), g.Data2, g.Data3, g.Data4[0], g.Data4[1],
                g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
  return text;
}

}  // namespace testbrowser
