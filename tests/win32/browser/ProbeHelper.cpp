// browser_probe.dll: a tiny helper object for the test browser's test. Sited by the
// browser, it writes what it sees to the file named by MARVELLA_BROWSER_PROBE.
#include <windows.h>
#include <exdisp.h>
#include <ocidl.h>

#include <cstdio>

namespace {

// {6A1C3B52-8E0F-4C1D-9B7A-2F3E4D5C6B7A}
const CLSID kProbeClass = {0x6a1c3b52, 0x8e0f, 0x4c1d, {0x9b, 0x7a, 0x2f, 0x3e, 0x4d, 0x5c, 0x6b, 0x7a}};

CRITICAL_SECTION fileLock;
volatile LONG objects = 0;

void Note(const char* format, ...) {
  char path[MAX_PATH];
  if (!GetEnvironmentVariableA("MARVELLA_BROWSER_PROBE", path, sizeof path)) return;
  char line[1200];
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof line - 2, format, args);
  va_end(args);
  EnterCriticalSection(&fileLock);
  if (FILE* f = std::fopen(path, "a")) {
    std::fprintf(f, "%s thread=%lu\n", line, GetCurrentThreadId());
    std::fclose(f);
  }
  LeaveCriticalSection(&fileLock);
}

BOOL CALLBACK FindRebar(HWND w, LPARAM lp) {
  char name[64] = {};
  GetClassNameA(w, name, sizeof name);
  if (lstrcmpA(name, "ReBarWindow32") != 0) return TRUE;
  *reinterpret_cast<HWND*>(lp) = w;
  return FALSE;
}

class Probe : public IObjectWithSite, public IDispatch {
 public:
  Probe() { InterlockedIncrement(&objects); }
  virtual ~Probe() { InterlockedDecrement(&objects); }

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IObjectWithSite) *out = static_cast<IObjectWithSite*>(this);
    if (iid == IID_IDispatch) *out = static_cast<IDispatch*>(this);
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
  STDMETHODIMP_(ULONG) Release() override {
    ULONG n = --refs_;
    if (!n) delete this;
    return n;
  }

  STDMETHODIMP SetSite(IUnknown* site) override {
    if (browser_) {
      point_->Unadvise(cookie_);
      point_->Release();
      browser_->Release();
      browser_ = nullptr;
    }
    if (!site) {
      Note("unsite");
      return S_OK;
    }
    if (FAILED(site->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&browser_))))
      return E_FAIL;
    SHANDLE_PTR handle = 0;
    browser_->get_HWND(&handle);
    HWND frame = reinterpret_cast<HWND>(handle), rebar = nullptr;
    EnumChildWindows(frame, FindRebar, reinterpret_cast<LPARAM>(&rebar));
    Note("site frame=%d rebar=%d direct-child=%d", IsWindow(frame) && !GetParent(frame) ? 1 : 0,
         rebar && GetAncestor(rebar, GA_ROOT) == frame ? 1 : 0, rebar && GetParent(rebar) == frame);
    IConnectionPointContainer* container = nullptr;
    browser_->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container));
    HRESULT hr = container ? container->FindConnectionPoint(DIID_DWebBrowserEvents2, &point_) : E_FAIL;
    if (container) container->Release();
    if (SUCCEEDED(hr)) hr = point_->Advise(static_cast<IDispatch*>(this), &cookie_);
    return hr;
  }
  STDMETHODIMP GetSite(REFIID iid, void** out) override {
    *out = nullptr;
    return browser_ ? browser_->QueryInterface(iid, out) : E_FAIL;
  }

  STDMETHODIMP GetTypeInfoCount(UINT* n) override {
    *n = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }

  // DocumentComplete (259): the URL first, the completed window or frame second.
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                      UINT*) override {
    if (insideNavigate_) Note("event-inside-navigate id=%ld", long(id));
    if (id == 253) Note("quit");
    if (id != 259 || !params || !browser_) return S_OK;
    VARIANTARG* a = params->rgvarg;
    bool shape = params->cArgs == 2 && a[0].vt == (VT_BYREF | VT_VARIANT) &&
                 a[0].pvarVal->vt == VT_BSTR && a[1].vt == VT_DISPATCH;
    char url[512] = "?";
    bool top = false;
    if (shape) {
      WideCharToMultiByte(CP_ACP, 0, a[0].pvarVal->bstrVal, -1, url, sizeof url, nullptr, nullptr);
      IUnknown *mine = nullptr, *theirs = nullptr;
      browser_->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&mine));
      a[1].pdispVal->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&theirs));
      top = mine && mine == theirs;
      if (mine) mine->Release();
      if (theirs) theirs->Release();
    }
    Note("complete shape=%d %s %s", shape ? 1 : 0, top ? "top" : "frame", url);
    // Once per window, the helper navigates its own browser from inside the event.
    if (top && !navigated_) {
      navigated_ = true;
      BSTR next = SysAllocString(L"http://127.0.0.1/from-helper");
      VARIANT empty;
      VariantInit(&empty);
      insideNavigate_ = true;
      browser_->Navigate(next, &empty, &empty, &empty, &empty);
      insideNavigate_ = false;
      SysFreeString(next);
    }
    return S_OK;
  }

 private:
  ULONG refs_ = 1;
  IWebBrowser2* browser_ = nullptr;
  IConnectionPoint* point_ = nullptr;
  DWORD cookie_ = 0;
  bool navigated_ = false, insideNavigate_ = false;
};

class Factory : public IClassFactory {
 public:
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    *out = (iid == IID_IUnknown || iid == IID_IClassFactory) ? this : nullptr;
    return *out ? S_OK : E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    Probe* p = new Probe;
    HRESULT hr = p->QueryInterface(iid, out);
    p->Release();
    return hr;
  }
  STDMETHODIMP LockServer(BOOL) override { return S_OK; }
};

Factory factory;

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, void*) {
  if (reason == DLL_PROCESS_ATTACH) InitializeCriticalSection(&fileLock);
  return TRUE;
}

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID id, REFIID iid, void** out) {
  if (id != kProbeClass) return CLASS_E_CLASSNOTAVAILABLE;
  return factory.QueryInterface(iid, out);
}

extern "C" HRESULT WINAPI DllCanUnloadNow() { return objects ? S_FALSE : S_OK; }
