// IWebBrowser2 of the test browser: identity, properties and the calls that start
// navigations. Methods the toolbar has no use for answer E_NOTIMPL.
#include "simulators/browser/WebBrowser.h"

#include <shlguid.h>

#include "simulators/browser/BrowserLog.h"

namespace testbrowser {
namespace {

enum RectPart { kLeft, kTop, kWidth, kHeight };

std::wstring UrlOf(const VARIANT* v) {
  while (v && v->vt == (VT_BYREF | VT_VARIANT)) v = v->pvarVal;
  if (!v) return std::wstring();
  if (v->vt == VT_BSTR && v->bstrVal) return v->bstrVal;
  if (v->vt == (VT_BYREF | VT_BSTR) && v->pbstrVal && *v->pbstrVal) return *v->pbstrVal;
  return std::wstring();
}

}  // namespace

WebBrowser::WebBrowser(int window, BrowserOwner* owner)
    : window_(window), owner_(owner), thread_(GetCurrentThreadId()) {
  for (VARIANT_BOOL& f : flags_) f = VARIANT_TRUE;
  flags_[kFullScreen] = flags_[kOffline] = flags_[kSilent] = flags_[kTheaterMode] = VARIANT_FALSE;
}

WebBrowser::WebBrowser(WebBrowser* top, int index, const std::wstring& url)
    : window_(top->window_), owner_(nullptr), top_(top), frameIndex_(index),
      thread_(top->thread_), location_(url) {
  top_->AddRef();
  for (VARIANT_BOOL& f : flags_) f = VARIANT_FALSE;
}

WebBrowser::~WebBrowser() {
  for (WebBrowser* f : frames_) f->Release();
  for (WebBrowser* f : pendingFrameObjects_) f->Release();
  if (top_) top_->Release();
}

void WebBrowser::Attach(HWND frame) { frame_ = frame; }

void WebBrowser::Detach() {
  frame_ = nullptr;
  ++generation_;
  busy_ = 0;
  events_.DropAll();
  for (WebBrowser* f : frames_) f->Release();
  frames_.clear();
}

// Calls from another thread reach the browser only through marshalling; a raw pointer
// used on a worker thread is a fault of the caller, journalled and refused.
bool WebBrowser::OnOwnThread(const char* method) {
  if (GetCurrentThreadId() == thread_) return true;
  Log("wrong-thread %d %s thread=%lu", window_, method, GetCurrentThreadId());
  return false;
}

STDMETHODIMP WebBrowser::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IWebBrowser ||
      iid == IID_IWebBrowserApp || iid == IID_IWebBrowser2)
    *out = static_cast<IWebBrowser2*>(this);
  else if (iid == IID_IConnectionPointContainer && !top_)
    *out = static_cast<IConnectionPointContainer*>(this);
  else if (iid == IID_IServiceProvider)
    *out = static_cast<IServiceProvider*>(this);
  if (!*out) {
    Log("qi-refused %d %s", window_, GuidText(iid).c_str());
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) WebBrowser::AddRef() { return ULONG(InterlockedIncrement(&references_)); }

STDMETHODIMP_(ULONG) WebBrowser::Release() {
  LONG n = InterlockedDecrement(&references_);
  if (n == 0) delete this;
  return ULONG(n);
}

STDMETHODIMP WebBrowser::QueryService(REFGUID service, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (service == SID_SWebBrowserApp || service == IID_IWebBrowser2)
    return (top_ ? top_ : this)->QueryInterface(iid, out);
  return E_NOINTERFACE;
}

STDMETHODIMP WebBrowser::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}
STDMETHODIMP WebBrowser::GetTypeInfo(UINT, LCID, ITypeInfo** out) {
  if (out) *out = nullptr;
  return E_NOTIMPL;
}
STDMETHODIMP WebBrowser::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  return DISP_E_UNKNOWNNAME;
}
STDMETHODIMP WebBrowser::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                UINT*) {
  return DISP_E_MEMBERNOTFOUND;
}

// ---- navigation -----------------------------------------------------------------------

STDMETHODIMP WebBrowser::Navigate(BSTR url, VARIANT* flags, VARIANT* target, VARIANT* postData,
                                  VARIANT* headers) {
  if (!OnOwnThread("Navigate")) return RPC_E_WRONG_THREAD;
  if (!url) return E_INVALIDARG;
  return StartNavigation(url, Kind::kNew, flags, target, postData, headers);
}

STDMETHODIMP WebBrowser::Navigate2(VARIANT* url, VARIANT* flags, VARIANT* target,
                                   VARIANT* postData, VARIANT* headers) {
  if (!OnOwnThread("Navigate2")) return RPC_E_WRONG_THREAD;
  std::wstring text = UrlOf(url);
  if (text.empty()) return E_INVALIDARG;
  return StartNavigation(text, Kind::kNew, flags, target, postData, headers);
}

STDMETHODIMP WebBrowser::GoBack() {
  if (!OnOwnThread("GoBack")) return RPC_E_WRONG_THREAD;
  if (top_ || back_.empty()) return E_FAIL;  // nothing to go back to: as the browser, a failure
  Log("back %d %s", window_, Narrow(back_.back().c_str()).c_str());
  return StartNavigation(back_.back(), Kind::kBack, nullptr, nullptr, nullptr, nullptr);
}

STDMETHODIMP WebBrowser::GoForward() {
  if (!OnOwnThread("GoForward")) return RPC_E_WRONG_THREAD;
  if (top_ || forward_.empty()) return E_FAIL;
  Log("forward %d %s", window_, Narrow(forward_.back().c_str()).c_str());
  return StartNavigation(forward_.back(), Kind::kForward, nullptr, nullptr, nullptr, nullptr);
}

STDMETHODIMP WebBrowser::GoHome() {
  if (!OnOwnThread("GoHome")) return RPC_E_WRONG_THREAD;
  return StartNavigation(L"about:home", Kind::kNew, nullptr, nullptr, nullptr, nullptr);
}

STDMETHODIMP WebBrowser::GoSearch() { return E_NOTIMPL; }

// The browser reloads without navigating: no BeforeNavigate2, NavigateComplete2 or
// DocumentComplete, only the download events.
STDMETHODIMP WebBrowser::Refresh() {
  if (!OnOwnThread("Refresh")) return RPC_E_WRONG_THREAD;
  if (!frame_ || top_) return E_FAIL;
  Log("refresh %d %s", window_, Narrow(location_.c_str()).c_str());
  PostMessageA(frame_, kMsgRefreshStep, 0, 0);
  return S_OK;
}

STDMETHODIMP WebBrowser::Refresh2(VARIANT*) { return Refresh(); }

STDMETHODIMP WebBrowser::Stop() {
  if (!OnOwnThread("Stop")) return RPC_E_WRONG_THREAD;
  if (busy_) Log("stop %d %s", window_, Narrow(pendingUrl_.c_str()).c_str());
  ++generation_;
  busy_ = 0;
  return S_OK;
}

HRESULT WebBrowser::StartNavigation(const std::wstring& url, Kind kind, VARIANT* flags,
                                    VARIANT* target, VARIANT* postData, VARIANT* headers) {
  if (top_) {
    Log("navigate-frame %d frame%d %s", window_, frameIndex_, Narrow(url.c_str()).c_str());
    return E_NOTIMPL;
  }
  if (!frame_) return E_FAIL;  // the window has closed
  long flagBits = 0;
  if (flags && flags->vt == VT_I4) flagBits = flags->lVal;
  if (flags && flags->vt == VT_I2) flagBits = flags->iVal;
  std::wstring targetName = UrlOf(target);
  bool hasPost = postData && postData->vt != VT_EMPTY && postData->vt != VT_ERROR;
  std::wstring headerText = UrlOf(headers);
  Log("navigate %d %s", window_, Narrow(url.c_str()).c_str());
  if (flagBits || !targetName.empty() || hasPost || !headerText.empty())
    Log("navigate-args %d flags=0x%lx target=%s post=%d headers=%s", window_, flagBits,
        Narrow(targetName.c_str()).c_str(), hasPost ? 1 : 0, Narrow(headerText.c_str()).c_str());
  if (flagBits & navOpenInNewWindow) {
    owner_->OpenNewWindow(url);
    return S_OK;
  }
  if (busy_) Log("superseded %d %s", window_, Narrow(pendingUrl_.c_str()).c_str());
  ++generation_;
  busy_ = 1;
  step_ = 0;
  pendingUrl_ = url;
  pendingKind_ = kind;
  pendingFrames_ = frameCount_;
  KillTimer(frame_, kNavigationTimer);
  if (navigationDelayMs_ > 0)
    SetTimer(frame_, kNavigationTimer, UINT(navigationDelayMs_), nullptr);
  else
    PostStep();
  return S_OK;  // the events come later, from the window's message loop
}

void WebBrowser::OnNavigationTimer() {
  if (frame_) KillTimer(frame_, kNavigationTimer);
  PostStep();
}

void WebBrowser::PostStep() {
  if (frame_) PostMessageA(frame_, kMsgNavigationStep, WPARAM(generation_), 0);
}

// ---- properties -------------------------------------------------------------------------

HRESULT WebBrowser::ReturnText(const std::wstring& text, BSTR* out) {
  if (!out) return E_POINTER;
  *out = SysAllocString(text.c_str());
  return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT WebBrowser::GetFlag(Flag f, VARIANT_BOOL* out) {
  if (!out) return E_POINTER;
  *out = flags_[f];
  return S_OK;
}

HRESULT WebBrowser::PutFlag(Flag f, VARIANT_BOOL value) {
  flags_[f] = value ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

HRESULT WebBrowser::GetRect(int part, LONG* out) {
  if (!out) return E_POINTER;
  RECT r;
  if (!frame_ || !GetWindowRect(frame_, &r)) return E_FAIL;
  LONG values[] = {r.left, r.top, r.right - r.left, r.bottom - r.top};
  *out = values[part];
  return S_OK;
}

HRESULT WebBrowser::PutRect(int part, LONG value) {
  RECT r;
  if (!frame_ || !GetWindowRect(frame_, &r)) return E_FAIL;
  LONG v[] = {r.left, r.top, r.right - r.left, r.bottom - r.top};
  v[part] = value;
  MoveWindow(frame_, v[kLeft], v[kTop], v[kWidth], v[kHeight], TRUE);
  return S_OK;
}

STDMETHODIMP WebBrowser::get_Application(IDispatch** out) {
  if (!out) return E_POINTER;
  *out = static_cast<IWebBrowser2*>(top_ ? top_ : this);
  (*out)->AddRef();
  return S_OK;
}
STDMETHODIMP WebBrowser::get_Parent(IDispatch** out) { return get_Application(out); }
STDMETHODIMP WebBrowser::get_Container(IDispatch** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!top_) return S_OK;
  return get_Application(out);
}
STDMETHODIMP WebBrowser::get_Document(IDispatch** out) {
  if (out) *out = nullptr;
  return E_NOTIMPL;
}
STDMETHODIMP WebBrowser::get_TopLevelContainer(VARIANT_BOOL* out) {
  if (!out) return E_POINTER;
  *out = top_ ? VARIANT_FALSE : VARIANT_TRUE;
  return S_OK;
}
STDMETHODIMP WebBrowser::get_Type(BSTR* out) { return ReturnText(L"HTML Document", out); }
STDMETHODIMP WebBrowser::get_Left(LONG* out) { return GetRect(kLeft, out); }
STDMETHODIMP WebBrowser::put_Left(LONG value) { return PutRect(kLeft, value); }
STDMETHODIMP WebBrowser::get_Top(LONG* out) { return GetRect(kTop, out); }
STDMETHODIMP WebBrowser::put_Top(LONG value) { return PutRect(kTop, value); }
STDMETHODIMP WebBrowser::get_Width(LONG* out) { return GetRect(kWidth, out); }
STDMETHODIMP WebBrowser::put_Width(LONG value) { return PutRect(kWidth, value); }
STDMETHODIMP WebBrowser::get_Height(LONG* out) { return GetRect(kHeight, out); }
STDMETHODIMP WebBrowser::put_Height(LONG value) { return PutRect(kHeight, value); }
STDMETHODIMP WebBrowser::get_LocationName(BSTR* out) { return ReturnText(location_, out); }
STDMETHODIMP WebBrowser::get_LocationURL(BSTR* out) { return ReturnText(location_, out); }
STDMETHODIMP WebBrowser::get_Busy(VARIANT_BOOL* out) {
  if (!out) return E_POINTER;
  *out = busy_ ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

STDMETHODIMP WebBrowser::Quit() {
  if (!OnOwnThread("Quit")) return RPC_E_WRONG_THREAD;
  if (top_ || !owner_) return E_FAIL;
  Log("quit-called %d", window_);
  owner_->RequestClose();
  return S_OK;
}
STDMETHODIMP WebBrowser::ClientToWindow(int*, int*) { return E_NOTIMPL; }
STDMETHODIMP WebBrowser::PutProperty(BSTR, VARIANT) { return E_NOTIMPL; }
STDMETHODIMP WebBrowser::GetProperty(BSTR, VARIANT* out) {
  if (out) VariantInit(out);
  return E_NOTIMPL;
}
STDMETHODIMP WebBrowser::get_Name(BSTR* out) { return ReturnText(L"Navegador de prueba", out); }

STDMETHODIMP WebBrowser::get_HWND(SHANDLE_PTR* out) {
  if (!out) return E_POINTER;
  *out = 0;
  if (top_ || !frame_) return E_FAIL;  // frames have no frame window; a closed window none
  *out = reinterpret_cast<SHANDLE_PTR>(frame_);
  return S_OK;
}

STDMETHODIMP WebBrowser::get_FullName(BSTR* out) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH - 1);
  return ReturnText(path, out);
}
STDMETHODIMP WebBrowser::get_Path(BSTR* out) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH - 1);
  std::wstring p = path;
  return ReturnText(p.substr(0, p.find_last_of(L"\\/") + 1), out);
}
STDMETHODIMP WebBrowser::get_Visible(VARIANT_BOOL* out) { return GetFlag(kVisible, out); }
STDMETHODIMP WebBrowser::put_Visible(VARIANT_BOOL value) {
  if (frame_) ShowWindow(frame_, value ? SW_SHOW : SW_HIDE);
  return PutFlag(kVisible, value);
}
STDMETHODIMP WebBrowser::get_StatusBar(VARIANT_BOOL* out) { return GetFlag(kStatusBar, out); }
STDMETHODIMP WebBrowser::put_StatusBar(VARIANT_BOOL value) { return PutFlag(kStatusBar, value); }
STDMETHODIMP WebBrowser::get_StatusText(BSTR* out) { return ReturnText(statusText_, out); }
STDMETHODIMP WebBrowser::put_StatusText(BSTR value) {
  statusText_ = value ? value : L"";
  return S_OK;
}
STDMETHODIMP WebBrowser::get_ToolBar(int* out) {
  if (!out) return E_POINTER;
  *out = toolBar_;
  return S_OK;
}
STDMETHODIMP WebBrowser::put_ToolBar(int value) {
  toolBar_ = value;
  return S_OK;
}
STDMETHODIMP WebBrowser::get_MenuBar(VARIANT_BOOL* out) { return GetFlag(kMenuBar, out); }
STDMETHODIMP WebBrowser::put_MenuBar(VARIANT_BOOL value) { return PutFlag(kMenuBar, value); }
STDMETHODIMP WebBrowser::get_FullScreen(VARIANT_BOOL* out) { return GetFlag(kFullScreen, out); }
STDMETHODIMP WebBrowser::put_FullScreen(VARIANT_BOOL v) { return PutFlag(kFullScreen, v); }
STDMETHODIMP WebBrowser::QueryStatusWB(OLECMDID, OLECMDF*) { return E_NOTIMPL; }
STDMETHODIMP WebBrowser::ExecWB(OLECMDID, OLECMDEXECOPT, VARIANT*, VARIANT*) { return E_NOTIMPL; }
STDMETHODIMP WebBrowser::ShowBrowserBar(VARIANT*, VARIANT*, VARIANT*) { return E_NOTIMPL; }
STDMETHODIMP WebBrowser::get_ReadyState(READYSTATE* out) {
  if (!out) return E_POINTER;
  *out = busy_ ? READYSTATE_LOADING : READYSTATE_COMPLETE;
  return S_OK;
}
STDMETHODIMP WebBrowser::get_Offline(VARIANT_BOOL* out) { return GetFlag(kOffline, out); }
STDMETHODIMP WebBrowser::put_Offline(VARIANT_BOOL v) { return PutFlag(kOffline, v); }
STDMETHODIMP WebBrowser::get_Silent(VARIANT_BOOL* out) { return GetFlag(kSilent, out); }
STDMETHODIMP WebBrowser::put_Silent(VARIANT_BOOL v) { return PutFlag(kSilent, v); }
STDMETHODIMP WebBrowser::get_RegisterAsBrowser(VARIANT_BOOL* out) {
  return GetFlag(kRegisterAsBrowser, out);
}
STDMETHODIMP WebBrowser::put_RegisterAsBrowser(VARIANT_BOOL v) {
  return PutFlag(kRegisterAsBrowser, v);
}
STDMETHODIMP WebBrowser::get_RegisterAsDropTarget(VARIANT_BOOL* out) {
  return GetFlag(kRegisterAsDropTarget, out);
}
STDMETHODIMP WebBrowser::put_RegisterAsDropTarget(VARIANT_BOOL v) {
  return PutFlag(kRegisterAsDropTarget, v);
}
STDMETHODIMP WebBrowser::get_TheaterMode(VARIANT_BOOL* out) { return GetFlag(kTheaterMode, out); }
STDMETHODIMP WebBrowser::put_TheaterMode(VARIANT_BOOL v) { return PutFlag(kTheaterMode, v); }
STDMETHODIMP WebBrowser::get_AddressBar(VARIANT_BOOL* out) { return GetFlag(kAddressBar, out); }
STDMETHODIMP WebBrowser::put_AddressBar(VARIANT_BOOL v) { return PutFlag(kAddressBar, v); }
STDMETHODIMP WebBrowser::get_Resizable(VARIANT_BOOL* out) { return GetFlag(kResizable, out); }
STDMETHODIMP WebBrowser::put_Resizable(VARIANT_BOOL v) { return PutFlag(kResizable, v); }

// ---- connection points -------------------------------------------------------------------

STDMETHODIMP WebBrowser::EnumConnectionPoints(IEnumConnectionPoints** out) {
  if (out) *out = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP WebBrowser::FindConnectionPoint(REFIID iid, IConnectionPoint** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (iid != DIID_DWebBrowserEvents2) {
    Log("connection-refused %d %s", window_, GuidText(iid).c_str());
    return CONNECT_E_NOCONNECTION;
  }
  *out = &events_;
  AddRef();
  return S_OK;
}

}  // namespace testbrowser
