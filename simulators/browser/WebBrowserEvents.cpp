// DWebBrowserEvents2 of the test browser: the connection point, and the navigation steps
// that fire the events one posted message at a time, frames first, the page last.
#include <exdispid.h>

#include "simulators/browser/BrowserLog.h"
#include "simulators/browser/WebBrowser.h"

namespace testbrowser {
namespace {

// A VT_BYREF|VT_VARIANT argument around `inner`, as the browser passes its strings.
VARIANTARG ByRef(VARIANT* inner) {
  VARIANTARG v;
  VariantInit(&v);
  v.vt = VT_BYREF | VT_VARIANT;
  v.pvarVal = inner;
  return v;
}

VARIANTARG DispatchArg(IDispatch* d) {
  VARIANTARG v;
  VariantInit(&v);
  v.vt = VT_DISPATCH;
  v.pdispVal = d;
  return v;
}

// A string held in a variant for the length of one event.
struct UrlVariant {
  VARIANT value;
  explicit UrlVariant(const std::wstring& url) {
    VariantInit(&value);
    value.vt = VT_BSTR;
    value.bstrVal = SysAllocString(url.c_str());
  }
  ~UrlVariant() { VariantClear(&value); }
};

std::wstring FrameUrl(const std::wstring& page, int index) {
  return page + L"#frame" + std::to_wstring(index);
}

}  // namespace

// ---- the connection point ------------------------------------------------------------

STDMETHODIMP EventPoint::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (iid != IID_IUnknown && iid != IID_IConnectionPoint) return E_NOINTERFACE;
  *out = static_cast<IConnectionPoint*>(this);
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) EventPoint::AddRef() { return browser_->AddRef(); }
STDMETHODIMP_(ULONG) EventPoint::Release() { return browser_->Release(); }

STDMETHODIMP EventPoint::GetConnectionInterface(IID* iid) {
  if (!iid) return E_POINTER;
  *iid = DIID_DWebBrowserEvents2;
  return S_OK;
}

STDMETHODIMP EventPoint::GetConnectionPointContainer(IConnectionPointContainer** out) {
  if (!out) return E_POINTER;
  *out = static_cast<IConnectionPointContainer*>(browser_);
  (*out)->AddRef();
  return S_OK;
}

// The sink is asked for the events interface and, as the browser does for a dispatch
// interface, for plain IDispatch when it does not answer that.
STDMETHODIMP EventPoint::Advise(IUnknown* sink, DWORD* cookie) {
  if (cookie) *cookie = 0;
  if (!sink || !cookie) return E_POINTER;
  IDispatch* dispatch = nullptr;
  const char* via = "DWebBrowserEvents2";
  if (FAILED(sink->QueryInterface(DIID_DWebBrowserEvents2, reinterpret_cast<void**>(&dispatch))) ||
      !dispatch) {
    via = "IDispatch";
    if (FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch))) ||
        !dispatch) {
      Log("advise-refused %d", browser_->Window());
      return CONNECT_E_CANNOTCONNECT;
    }
  }
  if (sinks_.size() >= 32) {
    dispatch->Release();
    return CONNECT_E_ADVISELIMIT;
  }
  *cookie = nextCookie_++;
  sinks_.push_back({*cookie, dispatch});
  Log("advise %d cookie=%lu via=%s", browser_->Window(), *cookie, via);
  return S_OK;
}

STDMETHODIMP EventPoint::Unadvise(DWORD cookie) {
  for (size_t i = 0; i < sinks_.size(); ++i) {
    if (sinks_[i].cookie != cookie) continue;
    IDispatch* d = sinks_[i].dispatch;
    sinks_.erase(sinks_.begin() + long(i));
    Log("unadvise %d cookie=%lu", browser_->Window(), cookie);
    d->Release();
    return S_OK;
  }
  Log("unadvise-unknown %d cookie=%lu", browser_->Window(), cookie);
  return CONNECT_E_NOCONNECTION;
}

STDMETHODIMP EventPoint::EnumConnections(IEnumConnections** out) {
  if (out) *out = nullptr;
  return E_NOTIMPL;
}

void EventPoint::Fire(DISPID id, const char* name, VARIANTARG* argsInOrder, UINT count,
                      const char* target, const std::wstring& url) {
  if (target)
    Log("event %d %s %s %s", browser_->Window(), name, target, Narrow(url.c_str()).c_str());
  else
    Log("event %d %s", browser_->Window(), name);
  // Invoke takes the arguments last first.
  std::vector<VARIANTARG> reversed(argsInOrder, argsInOrder + count);
  for (UINT i = 0; i < count; ++i) reversed[i] = argsInOrder[count - 1 - i];
  DISPPARAMS params = {count ? reversed.data() : nullptr, nullptr, count, 0};
  // Sinks advised during the event wait for the next one; sinks that leave stay alive
  // until their call returns.
  std::vector<IDispatch*> targets;
  for (const Sink& s : sinks_) {
    s.dispatch->AddRef();
    targets.push_back(s.dispatch);
  }
  long long start = Microseconds();
  for (IDispatch* d : targets) {
    d->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr,
              nullptr);
    d->Release();
  }
  // How long the sinks took over a completed document (a figure for benchmarks).
  if (id == DISPID_DOCUMENTCOMPLETE && !targets.empty())
    Log("handled %d %s %s us=%lld", browser_->Window(), name, target ? target : "-",
        Microseconds() - start);
}

void EventPoint::DropAll() {
  std::vector<Sink> left;
  left.swap(sinks_);
  for (const Sink& s : left) {
    Log("advise-left %d cookie=%lu", browser_->Window(), s.cookie);
    s.dispatch->Release();
  }
}

// ---- events of a navigation ---------------------------------------------------------

void WebBrowser::FireNavigateComplete(WebBrowser* target, const char* name) {
  UrlVariant url(target->location_);
  VARIANTARG args[] = {DispatchArg(static_cast<IWebBrowser2*>(target)), ByRef(&url.value)};
  events_.Fire(DISPID_NAVIGATECOMPLETE2, "NavigateComplete2", args, 2, name, target->location_);
}

void WebBrowser::FireDocumentComplete(WebBrowser* target, const char* name) {
  UrlVariant url(target->location_);
  VARIANTARG args[] = {DispatchArg(static_cast<IWebBrowser2*>(target)), ByRef(&url.value)};
  events_.Fire(DISPID_DOCUMENTCOMPLETE, "DocumentComplete", args, 2, name, target->location_);
}

void WebBrowser::FireQuit() { events_.Fire(DISPID_ONQUIT, "OnQuit", nullptr, 0, nullptr, L""); }

// Steps: 0 BeforeNavigate2, 1 DownloadBegin, 2 NavigateComplete2 of the page, then for each
// frame NavigateComplete2 and DocumentComplete, then DownloadComplete and the page's
// DocumentComplete. A sink that navigates, stops or closes the window ends the sequence.
void WebBrowser::OnNavigationStep(unsigned generation) {
  if (generation != generation_ || !busy_ || !frame_) return;
  AddRef();
  unsigned step = step_++;
  unsigned frames = unsigned(pendingFrames_);
  bool done = false;
  if (step == 0) {
    UrlVariant url(pendingUrl_);
    VARIANT flags, target, post, headers;
    VariantInit(&flags);
    flags.vt = VT_I4;
    flags.lVal = 0;
    VariantInit(&target);
    VariantInit(&post);
    VariantInit(&headers);
    VARIANT_BOOL cancel = VARIANT_FALSE;
    VARIANTARG cancelArg;
    VariantInit(&cancelArg);
    cancelArg.vt = VT_BYREF | VT_BOOL;
    cancelArg.pboolVal = &cancel;
    VARIANTARG args[] = {DispatchArg(static_cast<IWebBrowser2*>(this)), ByRef(&url.value),
                         ByRef(&flags), ByRef(&target), ByRef(&post), ByRef(&headers), cancelArg};
    events_.Fire(DISPID_BEFORENAVIGATE2, "BeforeNavigate2", args, 7, "top", pendingUrl_);
    if (cancel && generation == generation_) {
      Log("cancelled %d %s", window_, Narrow(pendingUrl_.c_str()).c_str());
      busy_ = 0;
      done = true;
    }
  } else if (step == 1) {
    events_.Fire(DISPID_DOWNLOADBEGIN, "DownloadBegin", nullptr, 0, nullptr, L"");
  } else if (step == 2) {
    // The new page is in: history moves, the location changes, its frames exist.
    if (pendingKind_ == Kind::kBack) {
      if (!back_.empty()) back_.pop_back();
      if (!location_.empty()) forward_.push_back(location_);
    } else {
      if (!location_.empty()) back_.push_back(location_);
      if (pendingKind_ == Kind::kForward) {
        if (!forward_.empty()) forward_.pop_back();
      } else {
        forward_.clear();
      }
    }
    location_ = pendingUrl_;
    for (WebBrowser* f : frames_) f->Release();
    frames_.clear();
    for (unsigned i = 0; i < frames; ++i)
      frames_.push_back(new WebBrowser(this, int(i + 1), FrameUrl(location_, int(i + 1))));
    if (owner_) owner_->LocationChanged(location_);
    FireNavigateComplete(this, "top");
  } else if (step < 3 + 2 * frames) {
    unsigned i = (step - 3) / 2;
    char name[16];
    wsprintfA(name, "frame%u", i + 1);
    if (i < frames_.size()) {
      WebBrowser* f = frames_[i];
      f->AddRef();
      if ((step - 3) % 2 == 0)
        FireNavigateComplete(f, name);
      else
        FireDocumentComplete(f, name);
      f->Release();
    }
  } else if (step == 3 + 2 * frames) {
    events_.Fire(DISPID_DOWNLOADCOMPLETE, "DownloadComplete", nullptr, 0, nullptr, L"");
  } else {
    busy_ = 0;  // complete before the event, as the browser's ready state is
    done = true;
    FireDocumentComplete(this, "top");
  }
  if (!done && generation == generation_ && busy_) PostStep();
  Release();
}

void WebBrowser::OnRefreshStep() {
  if (!frame_) return;
  AddRef();
  events_.Fire(DISPID_DOWNLOADBEGIN, "DownloadBegin", nullptr, 0, nullptr, L"");
  if (frame_) events_.Fire(DISPID_DOWNLOADCOMPLETE, "DownloadComplete", nullptr, 0, nullptr, L"");
  Release();
}

}  // namespace testbrowser
