// Script commands as a browser window's thread runs them: navigation, bands, focus and
// input, the rebar as the browser sees it and as it is, screenshots.
#include "simulators/browser/BrowserWindow.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>

#include "simulators/browser/BrowserLog.h"
#include "simulators/common/ScreenCapture.h"

namespace testbrowser {
namespace {

// Key names a script may use besides numbers ("8", "0x08") and single characters.
struct KeyName {
  const char* name;
  UINT vk;
};
const KeyName kKeys[] = {{"BACK", VK_BACK},     {"TAB", VK_TAB},       {"RETURN", VK_RETURN},
                         {"ENTER", VK_RETURN},  {"ESCAPE", VK_ESCAPE}, {"SPACE", VK_SPACE},
                         {"DELETE", VK_DELETE}, {"LEFT", VK_LEFT},     {"RIGHT", VK_RIGHT},
                         {"UP", VK_UP},         {"DOWN", VK_DOWN},     {"HOME", VK_HOME},
                         {"END", VK_END},       {"F5", VK_F5}};

UINT ParseKey(const std::string& text) {
  for (const KeyName& k : kKeys)
    if (lstrcmpiA(k.name, text.c_str()) == 0) return k.vk;
  if (text.size() == 1) return UINT(LOBYTE(VkKeyScanA(text[0])));
  char* end = nullptr;
  unsigned long v = std::strtoul(text.c_str(), &end, 0);
  return (end && !*end && v > 0 && v < 256) ? UINT(v) : 0;
}

std::string ClassOf(HWND w) {
  char name[128] = {};
  GetClassNameA(w, name, sizeof name);
  return name;
}

struct FindChild {
  const BrowserWindow* owner;
  std::string className;
  int index;
  HWND found;
};

BOOL CALLBACK FindChildProc(HWND w, LPARAM lp) {
  auto* f = reinterpret_cast<FindChild*>(lp);
  if (f->owner->IsOwnControl(w) || lstrcmpiA(ClassOf(w).c_str(), f->className.c_str()))
    return TRUE;
  if (f->index-- > 0) return TRUE;
  f->found = w;
  return FALSE;
}

}  // namespace

bool BrowserWindow::Run(const std::string& verb, const std::string& args, DWORD timeoutMs) {
  HWND frame = frame_;
  if (!frame || closed_) return false;
  auto* command = new Command;
  command->verb = verb;
  command->args = args;
  bool input = verb == "key" || verb == "type" || verb == "click";
  if (input) ResetEvent(inputRead_);
  if (!PostMessageA(frame, kMsgWindowCommand, 0, reinterpret_cast<LPARAM>(command))) {
    command->Release();
    command->Release();
    return false;
  }
  // A window that closes meanwhile (a helper may quit it) ends the wait too.
  HANDLE waits[] = {command->done, thread_};
  bool done = WaitForMultipleObjects(2, waits, FALSE, timeoutMs) == WAIT_OBJECT_0 &&
              WaitForSingleObject(command->done, 0) == WAIT_OBJECT_0;
  bool ok = done && command->ok;
  command->Release();
  if (!done) Log("not-done %d %s", number_, verb.c_str());
  if (ok && input && WaitForSingleObject(inputRead_, 10000) != WAIT_OBJECT_0) {
    Log("input-lost %d %s", number_, verb.c_str());  // another window had the keyboard
    ok = false;
  }
  return ok;
}

bool BrowserWindow::Execute(const std::string& verb, const std::string& args) {
  if (!frame_ || closing_) return false;
  if (verb == "noop") return true;
  if (verb == "navigate") {
    BSTR url = SysAllocString(Widen(args).c_str());
    VARIANT empty;
    VariantInit(&empty);
    HRESULT hr = browser_->Navigate(url, &empty, &empty, &empty, &empty);
    SysFreeString(url);
    return SUCCEEDED(hr);
  }
  if (verb == "frames") {
    browser_->SetFrameCount(std::atoi(args.c_str()));
    return true;
  }
  if (verb == "nav-delay-ms") {
    browser_->SetNavigationDelay(std::atoi(args.c_str()));
    return true;
  }
  if (verb == "back") return SUCCEEDED(browser_->GoBack());
  if (verb == "forward") return SUCCEEDED(browser_->GoForward());
  if (verb == "refresh") return SUCCEEDED(browser_->Refresh());
  if (verb == "append-band" || verb == "append-band-w") {
    std::string label = args.empty() ? "Vínculos" : args;
    HWND links = CreateButtons("Correo\0Noticias\0Deportes\0", 3, 300);
    UINT id = nextBandId_++;
    LRESULT result = InsertBand(links, id, label.c_str(), verb == "append-band-w");
    Log("band %d appended id=%u result=%ld", number_, id, long(result));
    Layout();
    return result != 0;
  }
  if (verb == "bands") {
    LogBands();
    return true;
  }
  if (verb == "focus") return Focus(args);
  if (verb == "key") {
    UINT vk = ParseKey(args);
    if (!vk) return false;
    SetForegroundWindow(frame_);
    SendKey(vk, false);
    SendSentinel();
    return true;
  }
  if (verb == "type") {
    SetForegroundWindow(frame_);
    for (char c : args) {
      SHORT scan = VkKeyScanA(c);
      if (scan != -1) SendKey(LOBYTE(scan), (HIBYTE(scan) & 1) != 0);
    }
    SendSentinel();
    return true;
  }
  if (verb == "click") {
    POINT p = {0, 0};
    if (std::sscanf(args.c_str(), "%ld %ld", &p.x, &p.y) != 2) return false;
    SetForegroundWindow(frame_);
    ClientToScreen(frame_, &p);
    SetCursorPos(p.x, p.y);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    SendSentinel();
    return true;
  }
  if (verb == "screenshot") return Screenshot(marvella::simulators::WinePath(args.c_str()));
  if (verb == "free-libraries") {
    CoFreeUnusedLibraries();
    Log("free-libraries %d asked", number_);
    return true;
  }
  return false;
}

bool BrowserWindow::IsOwnControl(HWND w) const {
  if (w == address_ || w == page_ || w == worker_ || w == rebar_) return true;
  for (HWND own : ownBands_)
    if (w == own || IsChild(own, w)) return true;
  return false;
}

// "address", "page", or a window class with an optional index among the windows of that
// class that are not the browser's own (the helpers' controls), depth first.
bool BrowserWindow::Focus(const std::string& args) {
  HWND target = nullptr;
  if (args == "address") {
    target = address_;
  } else if (args == "page") {
    target = page_;
  } else {
    FindChild find = {this, args, 0, nullptr};
    size_t blank = args.find(' ');
    if (blank != std::string::npos) {
      find.className = args.substr(0, blank);
      find.index = std::atoi(args.c_str() + blank + 1);
    }
    EnumChildWindows(frame_, FindChildProc, reinterpret_cast<LPARAM>(&find));
    target = find.found;
  }
  if (!target) {
    Log("focus %d %s not-found", number_, args.c_str());
    return false;
  }
  SetForegroundWindow(frame_);
  SetFocus(target);
  Log("focus %d %s hwnd=%p has-focus=%d", number_, args.c_str(), static_cast<void*>(target),
      GetFocus() == target ? 1 : 0);
  return true;
}

// Input goes through the system's input queue, so thread keyboard hooks see it as they see
// the user's typing.
void BrowserWindow::SendKey(UINT vk, bool shift) {
  BYTE scan = BYTE(MapVirtualKeyA(vk, 0));
  if (shift) keybd_event(VK_SHIFT, BYTE(MapVirtualKeyA(VK_SHIFT, 0)), 0, 0);
  keybd_event(BYTE(vk), scan, 0, 0);
  keybd_event(BYTE(vk), scan, KEYEVENTF_KEYUP, 0);
  if (shift) keybd_event(VK_SHIFT, BYTE(MapVirtualKeyA(VK_SHIFT, 0)), KEYEVENTF_KEYUP, 0);
}

void BrowserWindow::SendSentinel() {
  keybd_event(VK_F24, 0, 0, 0);
  keybd_event(VK_F24, 0, KEYEVENTF_KEYUP, 0);
}

// Two views of the rebar: through its window procedure, as the browser sees it (a helper
// may have replaced that procedure), and through the rebar class's own procedure.
void BrowserWindow::LogBands() {
  auto describe = [this](WNDPROC proc, int* count) {
    std::string text;
    *count = int(proc ? CallWindowProcA(proc, rebar_, RB_GETBANDCOUNT, 0, 0)
                      : SendMessageA(rebar_, RB_GETBANDCOUNT, 0, 0));
    for (int i = 0; i < *count; ++i) {
      REBARBANDINFOA band = {};
      band.cbSize = sizeof band;
      band.fMask = RBBIM_ID | RBBIM_CHILD | RBBIM_STYLE;
      LPARAM lp = reinterpret_cast<LPARAM>(&band);
      if (proc)
        CallWindowProcA(proc, rebar_, RB_GETBANDINFOA, WPARAM(i), lp);
      else
        SendMessageA(rebar_, RB_GETBANDINFOA, WPARAM(i), lp);
      char item[200];
      std::snprintf(item, sizeof item, "%s%u:%s%s", text.empty() ? "" : ",", band.wID,
                    band.hwndChild ? ClassOf(band.hwndChild).c_str() : "-",
                    (band.fStyle & RBBS_BREAK) ? ":break" : "");
      text += item;
    }
    return text;
  };
  WNDCLASSA rebarClass = {};
  GetClassInfoA(nullptr, REBARCLASSNAMEA, &rebarClass);
  int seen = 0, real = 0;
  std::string seenText = describe(nullptr, &seen);
  std::string realText = rebarClass.lpfnWndProc ? describe(rebarClass.lpfnWndProc, &real) : "?";
  bool replaced = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(rebar_, GWLP_WNDPROC)) !=
                  rebarClass.lpfnWndProc;
  Log("bands %d seen=%d real=%d filtered=%d seen-bands=%s real-bands=%s", number_, seen, real,
      replaced ? 1 : 0, seenText.c_str(), realText.c_str());
}

bool BrowserWindow::Screenshot(const std::string& path) {
  RedrawWindow(frame_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  // Wine hands what was painted to the display when the thread waits for messages.
  MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
  // The client area: without a window manager the frame's caption is not drawn.
  RECT r;
  GetClientRect(frame_, &r);
  MapWindowPoints(frame_, nullptr, reinterpret_cast<POINT*>(&r), 2);
  if (IsRectEmpty(&r)) return false;
  if (!marvella::simulators::SaveScreenBitmap(r, path.c_str())) {
    Log("screenshot %d %s failed", number_, path.c_str());
    return false;
  }
  Log("screenshot %d %s", number_, path.c_str());
  return true;
}

}  // namespace testbrowser
