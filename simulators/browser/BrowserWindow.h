// One browser window of the test browser: its own thread and apartment, the frame with its
// rebar and bands, the helper objects from the registry, and the commands a script sends it.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include <string>
#include <vector>

#include "simulators/browser/WebBrowser.h"

namespace testbrowser {

// Behaviours chosen for the whole run (command line, or script commands between windows).
struct Settings {
  bool loadHelpers = true;
  bool freeAtClose = false;  // CoFreeUnusedLibraries right after a window closes
  int freeDelayMs = 5000;    // otherwise the other windows call it this long after
  int navigationDelayMs = 0;
};
Settings& RunSettings();

// Provided by the program: windows opened by a navigation, and word of a closing window.
void OpenWindowFromBrowser(const std::wstring& url);
void WindowClosing(int number);

class BrowserWindow : public BrowserOwner {
 public:
  BrowserWindow(int number, const std::wstring& url);

  // Starts the window's thread; with `wait`, returns once the window is open and its
  // helper objects are sited (false when it did not open).
  bool Start(bool wait);
  // Runs one script command on the window's thread and waits for it; false when the window
  // is gone or the command failed. Input commands also wait until the window has read the
  // input they sent.
  bool Run(const std::string& verb, const std::string& args, DWORD timeoutMs);
  void PostClose();
  void PostFreeLater();
  bool Closed() const { return closed_ != 0; }
  bool Busy() const { return !closed_ && browser_ && browser_->Busy(); }
  HANDLE Thread() const { return thread_; }
  int Number() const { return number_; }

  // BrowserOwner
  void RequestClose() override;
  void OpenNewWindow(const std::wstring& url) override;
  void LocationChanged(const std::wstring& url) override;

  static bool RegisterClasses();
  bool IsOwnControl(HWND w) const;  // the browser's own bands, address field, page

 private:
  struct Command {
    std::string verb, args;
    HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    volatile LONG references = 2;  // the script's and the window's
    bool ok = false;
    void Release() {
      if (InterlockedDecrement(&references) == 0) {
        CloseHandle(done);
        delete this;
      }
    }
  };
  struct Helper {
    std::string classId;
    IObjectWithSite* site;
  };

  static DWORD WINAPI ThreadMain(void* self);
  static LRESULT CALLBACK FrameProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK WorkerProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK PageProc(HWND, UINT, WPARAM, LPARAM);
  void ThreadBody();
  bool CreateFrame();
  HWND CreateButtons(const char* labels, int count, UINT firstId);
  LRESULT InsertBand(HWND child, UINT id, const char* text, bool wide);
  void Layout();
  void LoadHelpers();
  void OnClose();
  bool FilterInput(const MSG& msg);
  bool Execute(const std::string& verb, const std::string& args);
  bool Focus(const std::string& args);
  void SendKey(UINT vk, bool shift);
  void SendSentinel();
  void LogBands();
  bool Screenshot(const std::string& path);
  void PaintPage(HDC dc);

  int number_;
  std::wstring startUrl_;
  HANDLE thread_ = nullptr;
  DWORD threadId_ = 0;
  HANDLE ready_;
  HANDLE inputRead_;  // set when the input of a command has reached the message loop
  volatile LONG closed_ = 0;
  volatile HWND frame_ = nullptr;
  LONG_PTR rebarProc_ = 0;  // the rebar's window procedure before any helper came
  HWND worker_ = nullptr, rebar_ = nullptr, buttons_ = nullptr, address_ = nullptr,
       page_ = nullptr;
  std::vector<HWND> ownBands_;
  WebBrowser* volatile browser_ = nullptr;  // our reference is kept until the program ends
  std::vector<Helper> helpers_;
  bool closing_ = false;
  bool inLayout_ = false;
  UINT nextBandId_ = 100;
};

}  // namespace testbrowser
