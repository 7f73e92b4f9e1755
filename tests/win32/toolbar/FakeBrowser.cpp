// The fake browser, written against the C form of the interfaces so that only the few
// entries the band calls need filling in.
#define CINTERFACE
#define COBJMACROS
#include "tests/win32/toolbar/FakeBrowser.h"

#include <ole2.h>
#include <exdisp.h>
#include <exdispid.h>
#include <olectl.h>

namespace marvella::test {

struct FakeBrowser {
  IWebBrowser2 browser;
  IConnectionPointContainer container;
  IConnectionPoint point;
  LONG references = 1;
  HWND frame;
  IDispatch* sink = nullptr;
  std::vector<std::string> navigations;
};

namespace {

FakeBrowser* Of(IWebBrowser2* b) { return reinterpret_cast<FakeBrowser*>(b); }
FakeBrowser* Of(IConnectionPointContainer* c) {
  return reinterpret_cast<FakeBrowser*>(reinterpret_cast<char*>(c) - offsetof(FakeBrowser, container));
}
FakeBrowser* Of(IConnectionPoint* p) {
  return reinterpret_cast<FakeBrowser*>(reinterpret_cast<char*>(p) - offsetof(FakeBrowser, point));
}

ULONG AddRefOf(FakeBrowser* f) { return static_cast<ULONG>(++f->references); }
ULONG ReleaseOf(FakeBrowser* f) {
  LONG count = --f->references;
  if (count == 0) {
    if (f->sink) f->sink->lpVtbl->Release(f->sink);
    delete f;
  }
  return static_cast<ULONG>(count);
}

HRESULT QueryOf(FakeBrowser* f, REFIID iid, void** out) {
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
      IsEqualIID(iid, IID_IWebBrowser) || IsEqualIID(iid, IID_IWebBrowserApp) ||
      IsEqualIID(iid, IID_IWebBrowser2))
    *out = &f->browser;
  else if (IsEqualIID(iid, IID_IConnectionPointContainer))
    *out = &f->container;
  else {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  AddRefOf(f);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE BrowserQuery(IWebBrowser2* b, REFIID iid, void** out) {
  return QueryOf(Of(b), iid, out);
}
ULONG STDMETHODCALLTYPE BrowserAddRef(IWebBrowser2* b) { return AddRefOf(Of(b)); }
ULONG STDMETHODCALLTYPE BrowserRelease(IWebBrowser2* b) { return ReleaseOf(Of(b)); }
HRESULT STDMETHODCALLTYPE BrowserHwnd(IWebBrowser2* b, SHANDLE_PTR* window) {
  *window = reinterpret_cast<SHANDLE_PTR>(Of(b)->frame);
  return S_OK;
}
HRESULT STDMETHODCALLTYPE BrowserNavigate(IWebBrowser2* b, BSTR url, VARIANT*, VARIANT*,
                                          VARIANT*, VARIANT*) {
  char text[2048] = "";
  WideCharToMultiByte(1252, 0, url, -1, text, sizeof text - 1, nullptr, nullptr);
  Of(b)->navigations.push_back(text);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE ContainerQuery(IConnectionPointContainer* c, REFIID iid, void** out) {
  return QueryOf(Of(c), iid, out);
}
ULONG STDMETHODCALLTYPE ContainerAddRef(IConnectionPointContainer* c) { return AddRefOf(Of(c)); }
ULONG STDMETHODCALLTYPE ContainerRelease(IConnectionPointContainer* c) { return ReleaseOf(Of(c)); }
HRESULT STDMETHODCALLTYPE ContainerFind(IConnectionPointContainer* c, REFIID iid,
                                        IConnectionPoint** out) {
  *out = nullptr;
  if (!IsEqualIID(iid, DIID_DWebBrowserEvents2)) return CONNECT_E_NOCONNECTION;
  *out = &Of(c)->point;
  AddRefOf(Of(c));
  return S_OK;
}

HRESULT STDMETHODCALLTYPE PointQuery(IConnectionPoint* p, REFIID iid, void** out) {
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IConnectionPoint)) {
    *out = p;
    AddRefOf(Of(p));
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}
ULONG STDMETHODCALLTYPE PointAddRef(IConnectionPoint* p) { return AddRefOf(Of(p)); }
ULONG STDMETHODCALLTYPE PointRelease(IConnectionPoint* p) { return ReleaseOf(Of(p)); }
HRESULT STDMETHODCALLTYPE PointAdvise(IConnectionPoint* p, IUnknown* sink, DWORD* cookie) {
  FakeBrowser* f = Of(p);
  if (f->sink) return CONNECT_E_ADVISELIMIT;
  void* dispatch = nullptr;
  if (FAILED(sink->lpVtbl->QueryInterface(sink, IID_IDispatch, &dispatch))) return E_FAIL;
  f->sink = static_cast<IDispatch*>(dispatch);
  *cookie = 7;
  return S_OK;
}
HRESULT STDMETHODCALLTYPE PointUnadvise(IConnectionPoint* p, DWORD cookie) {
  FakeBrowser* f = Of(p);
  if (cookie != 7 || !f->sink) return CONNECT_E_NOCONNECTION;
  IDispatch* sink = f->sink;
  f->sink = nullptr;
  sink->lpVtbl->Release(sink);
  return S_OK;
}

IWebBrowser2Vtbl MakeBrowserTable() {
  IWebBrowser2Vtbl table = {};
  table.QueryInterface = BrowserQuery;
  table.AddRef = BrowserAddRef;
  table.Release = BrowserRelease;
  table.get_HWND = BrowserHwnd;
  table.Navigate = BrowserNavigate;
  return table;
}
IConnectionPointContainerVtbl MakeContainerTable() {
  IConnectionPointContainerVtbl table = {};
  table.QueryInterface = ContainerQuery;
  table.AddRef = ContainerAddRef;
  table.Release = ContainerRelease;
  table.FindConnectionPoint = ContainerFind;
  return table;
}
IConnectionPointVtbl MakePointTable() {
  IConnectionPointVtbl table = {};
  table.QueryInterface = PointQuery;
  table.AddRef = PointAddRef;
  table.Release = PointRelease;
  table.Advise = PointAdvise;
  table.Unadvise = PointUnadvise;
  return table;
}
IWebBrowser2Vtbl g_browserTable = MakeBrowserTable();
IConnectionPointContainerVtbl g_containerTable = MakeContainerTable();
IConnectionPointVtbl g_pointTable = MakePointTable();

}  // namespace

FakeBrowser* CreateFakeBrowser(HWND frame) {
  FakeBrowser* f = new FakeBrowser;
  f->browser.lpVtbl = &g_browserTable;
  f->container.lpVtbl = &g_containerTable;
  f->point.lpVtbl = &g_pointTable;
  f->frame = frame;
  return f;
}

void* BrowserSite(FakeBrowser* f) { return &f->browser; }
std::vector<std::string> Navigations(FakeBrowser* f) { return f->navigations; }
bool HasEventSink(FakeBrowser* f) { return f->sink != nullptr; }

void CompleteDocument(FakeBrowser* f, const wchar_t* url) {
  if (!f->sink) return;
  VARIANT address;
  VariantInit(&address);
  address.vt = VT_BSTR;
  address.bstrVal = SysAllocString(url);
  VARIANTARG args[2];
  VariantInit(&args[0]);
  VariantInit(&args[1]);
  args[0].vt = VT_BYREF | VT_VARIANT;  // the URL comes first: arguments go last first
  args[0].pvarVal = &address;
  args[1].vt = VT_DISPATCH;
  args[1].pdispVal = reinterpret_cast<IDispatch*>(&f->browser);
  DISPPARAMS params = {args, nullptr, 2, 0};
  IDispatch* sink = f->sink;
  sink->lpVtbl->AddRef(sink);
  sink->lpVtbl->Invoke(sink, DISPID_DOCUMENTCOMPLETE, IID_NULL, 0, DISPATCH_METHOD, &params,
                       nullptr, nullptr, nullptr);
  sink->lpVtbl->Release(sink);
  SysFreeString(address.bstrVal);
}

void ReleaseFakeBrowser(FakeBrowser* f) { ReleaseOf(f); }

}  // namespace marvella::test
