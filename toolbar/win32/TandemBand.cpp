// The band object: COM identity, siting, the band in the rebar and the browser's events.
#include "toolbar/win32/TandemBand.h"

#include "toolbar/BarTexts.h"
#include "toolbar/LinkRules.h"
#include "toolbar/RebarTable.h"
#include "toolbar/win32/BandFactory.h"
#include "toolbar/win32/BandServices.h"

#include <exdispid.h>
#include <new>

#include "toolbar/win32/Registration.h"

namespace marvella {

static_assert(sizeof(void*) != 4 || sizeof(REBARBANDINFOA) == 80, "the rebar band record of the oldest browsers");

namespace {
RebarTable g_rebars;
constexpr std::size_t kUrlCapacity = 260;
constexpr int kWideUrlCapacity = 1024;
constexpr UINT kCodePage = 1252;

BOOL CALLBACK FindRebarChild(HWND window, LPARAM found) {
  char name[32];
  if (GetClassNameA(window, name, sizeof name) && lstrcmpA(name, "ReBarWindow32") == 0) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}
// Sends the rebar a message that may grow or shrink it by a row. The browser then lays its
// window out again, and each window it moves would erase and paint at once, several times
// over; the rebar's parent draws nothing meanwhile and is painted once, from the window's
// loop. A parent out of sight paints nothing anyway and stays as it is.
LRESULT QuietlySend(HWND rebar, UINT message, WPARAM wparam, LPARAM lparam) {
  HWND holder = GetParent(rebar);
  bool quiet = IsWindowVisible(holder) != FALSE;
  if (quiet) SendMessageA(holder, WM_SETREDRAW, FALSE, 0);
  LRESULT result = SendMessageA(rebar, message, wparam, lparam);
  if (quiet) {
    SendMessageA(holder, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(holder, nullptr, nullptr,
                 RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
  }
  return result;
}
}  // namespace

HRESULT CreateBandObject(REFIID iid, void** out) {
  *out = nullptr;
  TandemBand* band = new (std::nothrow) TandemBand(ProcessBarServices());
  if (!band) return E_OUTOFMEMORY;
  HRESULT result = band->QueryInterface(iid, out);
  band->Release();
  return result;
}

TandemBand::TandemBand(BarServices& services) : BarWindow(services) {
  LockModule();
  RegisterLiveToolbar(*this);
}

TandemBand::~TandemBand() {
  UnregisterLiveToolbar(*this);
  Destroy();
  if (site_) site_->Release();
  // Only this window's mail checker stops (its destructor joins its thread); the other
  // windows of the process keep polling.
}

STDMETHODIMP TandemBand::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleWindow) ||
      IsEqualIID(iid, IID_IDockingWindow) || IsEqualIID(iid, IID_IDeskBand))
    *out = static_cast<IDeskBand*>(this);
  else if (IsEqualIID(iid, IID_IInputObject))
    *out = static_cast<IInputObject*>(this);
  else if (IsEqualIID(iid, IID_IObjectWithSite))
    *out = static_cast<IObjectWithSite*>(this);
  else if (IsEqualIID(iid, IID_IPersist) || IsEqualIID(iid, IID_IPersistStream))
    *out = static_cast<IPersistStream*>(this);
  else if (IsEqualIID(iid, IID_IContextMenu))
    *out = static_cast<IContextMenu*>(this);
  else if (IsEqualIID(iid, IID_IDispatch))
    *out = static_cast<IDispatch*>(this);
  else {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  static_cast<IUnknown*>(*out)->AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) TandemBand::AddRef() { return static_cast<ULONG>(++references_); }

STDMETHODIMP_(ULONG) TandemBand::Release() {
  LONG count = --references_;
  if (count == 0) {
    // Windows that go in the destructor still send their last messages, which hold and let
    // go of the band: that must never come to 0 again.
    references_ = kDestroying;
    delete this;
    UnlockModule();  // last: the checker's thread has been joined, the windows are gone
  }
  return static_cast<ULONG>(count);
}

STDMETHODIMP TandemBand::GetWindow(HWND* window) {
  if (!window) return E_POINTER;
  *window = Window();
  return S_OK;
}

STDMETHODIMP TandemBand::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

STDMETHODIMP TandemBand::ShowDW(BOOL show) {
  if (Window()) ShowWindow(Window(), show ? SW_SHOW : SW_HIDE);
  return S_OK;
}

STDMETHODIMP TandemBand::CloseDW(DWORD) {
  Destroy();
  return S_OK;
}

STDMETHODIMP TandemBand::ResizeBorderDW(LPCRECT, IUnknown*, BOOL) { return E_NOTIMPL; }

STDMETHODIMP TandemBand::GetBandInfo(DWORD, DWORD, DESKBANDINFO* info) {
  if (!info) return E_INVALIDARG;
  BandSizes sizes = BandSizesOf(Layout());
  if (info->dwMask & DBIM_MINSIZE) info->ptMinSize = {sizes.minimum.width, sizes.minimum.height};
  if (info->dwMask & DBIM_MAXSIZE) info->ptMaxSize = {sizes.maximum.width, sizes.maximum.height};
  if (info->dwMask & DBIM_INTEGRAL) info->ptIntegral = {1, 1};
  info->dwMask &= ~static_cast<DWORD>(DBIM_ACTUAL | DBIM_TITLE | DBIM_BKCOLOR);
  if (info->dwMask & DBIM_MODEFLAGS) info->dwModeFlags = DBIMF_NORMAL;
  return S_OK;
}

STDMETHODIMP TandemBand::UIActivateIO(BOOL activate, MSG*) {
  if (activate && Window()) SetFocus(Window());
  return S_OK;
}

STDMETHODIMP TandemBand::HasFocusIO() { return S_FALSE; }
STDMETHODIMP TandemBand::TranslateAcceleratorIO(MSG*) { return S_FALSE; }

STDMETHODIMP TandemBand::SetSite(IUnknown* site) {
  if (site_) Destroy();
  if (site) site->AddRef();
  if (site_) site_->Release();
  site_ = site;
  if (!site) return S_OK;
  if (FAILED(site->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&browser_))) ||
      !browser_) {
    browser_ = nullptr;
    return E_FAIL;
  }
  InsertBand();
  IConnectionPointContainer* container = nullptr;
  if (FAILED(browser_->QueryInterface(IID_IConnectionPointContainer,
                                      reinterpret_cast<void**>(&container))) ||
      !container)
    return E_FAIL;
  HRESULT found = container->FindConnectionPoint(DIID_DWebBrowserEvents2, &events_);
  container->Release();
  if (FAILED(found) || !events_) {
    events_ = nullptr;
    return E_FAIL;
  }
  if (FAILED(events_->Advise(static_cast<IDispatch*>(this), &cookie_))) {
    events_->Release();
    events_ = nullptr;
    cookie_ = 0;
    return E_FAIL;
  }
  return S_OK;
}

STDMETHODIMP TandemBand::GetSite(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!site_) return E_FAIL;
  return site_->QueryInterface(iid, out);
}

STDMETHODIMP TandemBand::GetClassID(CLSID* id) {
  if (!id) return E_POINTER;
  *id = kToolbarClassId;
  return S_OK;
}

STDMETHODIMP TandemBand::IsDirty() { return S_FALSE; }
STDMETHODIMP TandemBand::Load(IStream*) { return S_OK; }
STDMETHODIMP TandemBand::Save(IStream*, BOOL) { return S_OK; }
STDMETHODIMP TandemBand::GetSizeMax(ULARGE_INTEGER*) { return E_NOTIMPL; }

STDMETHODIMP TandemBand::QueryContextMenu(HMENU menu, UINT index, UINT first, UINT, UINT flags) {
  if (flags & CMF_DEFAULTONLY) return MAKE_HRESULT(SEVERITY_SUCCESS, 0, 0);
  char text[64];
  Services().strings.Load(IDS_BAND_SHOW, text, sizeof text);
  InsertMenuA(menu, index, MF_BYPOSITION | MF_STRING, first, text);
  return MAKE_HRESULT(SEVERITY_SUCCESS, 0, 1);
}

STDMETHODIMP TandemBand::InvokeCommand(CMINVOKECOMMANDINFO* info) {
  // Only command 0, by number: a verb given as text is a pointer, never 0.
  if (!info || info->lpVerb) return E_INVALIDARG;
  if (Window()) ShowWindow(Window(), SW_SHOW);
  return S_OK;
}

STDMETHODIMP TandemBand::GetCommandString(UINT_PTR command, UINT type, UINT*, LPSTR buffer,
                                          UINT size) {
  if (type == GCS_VALIDATEA) return S_OK;
  if (command != 0 || !buffer || size == 0) return E_INVALIDARG;
  if (type == GCS_VERBA) {
    lstrcpynA(buffer, "__tandem__", static_cast<int>(size));
    return S_OK;
  }
  if (type == GCS_HELPTEXTA) {
    Services().strings.Load(IDS_BAND_HELP, buffer, size);
    return S_OK;
  }
  return E_INVALIDARG;
}

STDMETHODIMP TandemBand::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

STDMETHODIMP TandemBand::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }

STDMETHODIMP TandemBand::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  return E_NOTIMPL;
}

STDMETHODIMP TandemBand::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                EXCEPINFO*, UINT*) {
  if (!params) return E_INVALIDARG;
  if (id != DISPID_DOCUMENTCOMPLETE) return S_OK;
  // The browser passes its arguments last first: the URL is rgvarg[0], a variant by
  // reference holding a string. Anything else completes a document with no URL.
  char url[kUrlCapacity] = "";
  if (params->cArgs >= 1 && params->rgvarg) {
    VARIANT* value = &params->rgvarg[0];
    if (V_VT(value) == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(value))
      value = V_VARIANTREF(value);
    if (V_VT(value) == VT_BSTR && V_BSTR(value)) {
      int length = lstrlenW(V_BSTR(value));
      if (length > static_cast<int>(kUrlCapacity) - 1) length = kUrlCapacity - 1;
      int written = WideCharToMultiByte(kCodePage, 0, V_BSTR(value), length, url,
                                        kUrlCapacity - 1, nullptr, nullptr);
      url[written > 0 ? written : 0] = '\0';
    }
  }
  // A question box in the broadcast lets the browser close the window meanwhile: the
  // object stays alive until the broadcast is over.
  AddRef();
  OnDocumentComplete(url);
  Release();
  return S_OK;
}

void TandemBand::InsertBand() {
  if (!LiveToolbarListed(*this)) return;  // uninstalled: no bar again
  HWND frame = nullptr;
  SHANDLE_PTR handle = 0;
  if (FAILED(browser_->get_HWND(&handle))) return;
  frame = reinterpret_cast<HWND>(handle);
  HWND rebar = nullptr;
  EnumChildWindows(frame, FindRebarChild, reinterpret_cast<LPARAM>(&rebar));
  if (!rebar) return;
  rebar_ = rebar;
  // A full table leaves the rebar unfiltered: the band still goes in.
  void* replaced = reinterpret_cast<void*>(GetWindowLongPtrA(rebar, GWLP_WNDPROC));
  bool filtering = false;
  tableEntry_ = g_rebars.Claim(rebar, this, replaced, &filtering);
  if (filtering)
    UnlockModule();  // the filter left by a toolbar before is this one's now
  else if (tableEntry_ >= 0)
    SetWindowLongPtrA(rebar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TandemBand::RebarFilter));

  if (!CreateHost(rebar)) {
    LeaveRebar();
    return;
  }
  // A toolbar the user hid goes in collapsed, sharing a row, rather than taking a row of
  // its own and giving it back at once: the browser lays its window out once. The band is
  // not in yet, so only the controls and the sizes change here.
  char hide[8];
  if (Services().settings.Read("Hide", hide, sizeof hide) && lstrcmpA(hide, "1") == 0)
    SetCollapsed(true);
  REBARBANDINFOA band = BandRecordSizes();
  band.fMask |= RBBIM_STYLE | RBBIM_CHILD | RBBIM_ID;
  band.fStyle = Layout().collapsed ? 0 : RBBS_BREAK;
  band.hwndChild = Window();
  band.wID = kBandId;
  if (!QuietlySend(rebar, RB_INSERTBANDA, static_cast<WPARAM>(-1),
                   reinterpret_cast<LPARAM>(&band))) {
    BarWindow::Destroy();
    LeaveRebar();
    return;
  }
  bandIndex_ = static_cast<int>(SendMessageA(rebar, RB_IDTOINDEX, kBandId, 0));
  if (Layout().collapsed) SendMessageA(rebar, RB_MINIMIZEBAND, bandIndex_, 0);
}

REBARBANDINFOA TandemBand::BandRecordSizes() {
  DESKBANDINFO info = {};
  info.dwMask = DBIM_MINSIZE | DBIM_MAXSIZE | DBIM_INTEGRAL | DBIM_ACTUAL | DBIM_TITLE |
                DBIM_MODEFLAGS | DBIM_BKCOLOR;
  GetBandInfo(0, 0, &info);
  REBARBANDINFOA band = {};
  band.cbSize = sizeof band;
  if (info.dwMask & DBIM_MINSIZE) {
    band.fMask |= RBBIM_CHILDSIZE | RBBIM_SIZE;
    band.cxMinChild = band.cx = static_cast<UINT>(info.ptMinSize.x);
    band.cyMinChild = static_cast<UINT>(info.ptMinSize.y);
  }
  if (info.dwMask & DBIM_MAXSIZE) band.cyMaxChild = static_cast<UINT>(info.ptMaxSize.y);
  if (info.dwMask & DBIM_INTEGRAL) band.cyIntegral = static_cast<UINT>(info.ptIntegral.y);
  return band;
}

void TandemBand::BandSizesChanged() {
  if (!rebar_ || bandIndex_ < 0) return;
  int index = static_cast<int>(SendMessageA(rebar_, RB_IDTOINDEX, kBandId, 0));
  REBARBANDINFOA band = BandRecordSizes();
  if (index >= 0) QuietlySend(rebar_, RB_SETBANDINFOA, index, reinterpret_cast<LPARAM>(&band));
}

void TandemBand::LeaveRebar() {
  if (!rebar_) return;
  if (bandIndex_ >= 0) {
    int index = static_cast<int>(SendMessageA(rebar_, RB_IDTOINDEX, kBandId, 0));
    if (index >= 0) SendMessageA(rebar_, RB_DELETEBAND, index, 0);
  }
  if (tableEntry_ >= 0) {
    RebarTable::Entry entry;
    LONG_PTR procedure = GetWindowLongPtrA(rebar_, GWLP_WNDPROC);  // 0: the rebar has gone
    if (g_rebars.Find(rebar_, &entry) &&
        procedure == reinterpret_cast<LONG_PTR>(&TandemBand::RebarFilter)) {
      SetWindowLongPtrA(rebar_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(entry.replaced));
      g_rebars.Release(tableEntry_);
    } else if (procedure) {
      // Another add-on subclassed the rebar after this one and calls the filter still: it
      // passes messages through, and the library stays loaded, until the rebar goes.
      g_rebars.Orphan(tableEntry_);
      LockModule();
    } else {
      g_rebars.Release(tableEntry_);
    }
  }
  tableEntry_ = -1;
  bandIndex_ = -1;
  rebar_ = nullptr;
}

void TandemBand::Destroy() {
  if (events_) {
    events_->Unadvise(cookie_);
    events_->Release();
    events_ = nullptr;
    cookie_ = 0;
  }
  BarWindow::Destroy();
  LeaveRebar();
  if (browser_) browser_->Release();
  browser_ = nullptr;
}

void TandemBand::DestroyToolbarWindows() {
  // Letting go of the browser's events may let go of the browser's last reference.
  AddRef();
  Destroy();
  Release();
}

void TandemBand::Hold(bool held) {
  if (held)
    AddRef();
  else
    Release();
}

void TandemBand::ResizeBand(bool collapsed, int minWidth, int width, int height) {
  if (!rebar_ || bandIndex_ < 0) return;
  int index = static_cast<int>(SendMessageA(rebar_, RB_IDTOINDEX, kBandId, 0));
  if (index < 0) return;
  REBARBANDINFOA band = {};
  band.cbSize = sizeof band;
  band.fMask = RBBIM_STYLE;
  SendMessageA(rebar_, RB_GETBANDINFOA, index, reinterpret_cast<LPARAM>(&band));
  band.fMask = RBBIM_STYLE | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_IDEALSIZE;
  band.fStyle = collapsed ? band.fStyle & ~RBBS_BREAK : band.fStyle | RBBS_BREAK;
  band.cxMinChild = static_cast<UINT>(minWidth);
  band.cx = band.cxIdeal = static_cast<UINT>(width);
  band.cyMinChild = band.cyMaxChild = static_cast<UINT>(height);
  SendMessageA(rebar_, RB_SETBANDINFOA, index, reinterpret_cast<LPARAM>(&band));
  SendMessageA(rebar_, collapsed ? RB_MINIMIZEBAND : RB_MAXIMIZEBAND, index, 0);
}

void TandemBand::Collapse(int width, int height) { ResizeBand(true, width, width, height); }

void TandemBand::Expand(int leftWidth, int fullWidth, int height) {
  ResizeBand(false, leftWidth, fullWidth, height);
}

HRESULT TandemBand::Navigate(const char* url) {
  if (!MayOpen(url, LinkUse::kPageOrMail)) return E_FAIL;  // none, or refused (LinkRules.h)
  if (!browser_) {
    MessageBeep(MB_ICONASTERISK);
    return E_FAIL;
  }
  WCHAR wide[kWideUrlCapacity + 1];
  int length = lstrlenA(url);
  if (length > kWideUrlCapacity) length = kWideUrlCapacity;
  int written = MultiByteToWideChar(kCodePage, 0, url, length, wide, kWideUrlCapacity);
  wide[written > 0 ? written : 0] = L'\0';
  BSTR address = SysAllocString(wide);
  if (!address) return E_FAIL;
  VARIANT empty;
  VariantInit(&empty);
  HRESULT result = browser_->Navigate(address, &empty, &empty, &empty, &empty);
  SysFreeString(address);
  return FAILED(result) ? E_FAIL : S_OK;
}

LRESULT CALLBACK TandemBand::RebarFilter(HWND rebar, UINT message, WPARAM wparam,
                                         LPARAM lparam) {
  RebarTable::Entry entry;
  if (!g_rebars.Find(rebar, &entry))  // never happens while the filter is in the chain
    return CallWindowProcA(reinterpret_cast<WNDPROC>(GetClassLongPtrA(rebar, GCLP_WNDPROC)), rebar,
                           message, wparam, lparam);
  WNDPROC replaced = reinterpret_cast<WNDPROC>(entry.replaced);
  TandemBand* band = static_cast<TandemBand*>(entry.owner);
  if (!band) {  // its toolbar has gone: a pass-through until the rebar goes
    LRESULT result = CallWindowProcA(replaced, rebar, message, wparam, lparam);
    if (message == WM_NCDESTROY) {
      g_rebars.Release(entry.index);
      UnlockModule();  // last: nothing of the library runs for this rebar any more
    }
    return result;
  }
  if (band->bandIndex_ < 0) return CallWindowProcA(replaced, rebar, message, wparam, lparam);
  switch (message) {
    case RB_INSERTBANDA:
    case RB_INSERTBANDW: {
      // Appends go before the toolbar, which stays last. Its index is asked of the rebar,
      // so that bands the browser deletes cannot leave it stale.
      int own = static_cast<int>(CallWindowProcA(replaced, rebar, RB_IDTOINDEX, kBandId, 0));
      if (static_cast<int>(wparam) == -1 && own >= 0) wparam = static_cast<WPARAM>(own);
      LRESULT inserted = CallWindowProcA(replaced, rebar, message, wparam, lparam);
      if (inserted) {
        own = static_cast<int>(CallWindowProcA(replaced, rebar, RB_IDTOINDEX, kBandId, 0));
        if (own >= 0) band->bandIndex_ = own;
      }
      return inserted;
    }
    case RB_GETBANDCOUNT: {
      LRESULT count = CallWindowProcA(replaced, rebar, message, wparam, lparam);
      return count > 0 ? count - 1 : 0;
    }
  }
  return CallWindowProcA(replaced, rebar, message, wparam, lparam);
}

}  // namespace marvella
