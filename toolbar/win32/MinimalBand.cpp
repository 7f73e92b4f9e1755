// A toolbar object with no bar: it joins the browser window (IObjectWithSite), counts as a
// live object and stands in the live toolbar list, so that the COM server can be loaded,
// registered and unloaded on its own.
#include "toolbar/win32/BandFactory.h"

#include "toolbar/win32/ServerState.h"

#include <ocidl.h>

#include <new>

namespace marvella {

namespace {

class MinimalBand final : public IObjectWithSite, public LiveToolbar {
 public:
  MinimalBand() {
    LockModule();
    RegisterLiveToolbar(*this);
  }

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IObjectWithSite))
      return E_NOINTERFACE;
    *out = static_cast<IObjectWithSite*>(this);
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
  STDMETHODIMP_(ULONG) Release() override {
    LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  STDMETHODIMP SetSite(IUnknown* site) override {
    if (site_) site_->Release();
    site_ = site;
    if (site_) site_->AddRef();
    return S_OK;
  }
  STDMETHODIMP GetSite(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    return site_ ? site_->QueryInterface(iid, out) : E_FAIL;
  }

  void DestroyToolbarWindows() override {}  // it has none

 private:
  ~MinimalBand() {
    if (site_) site_->Release();
    UnregisterLiveToolbar(*this);
    UnlockModule();
  }

  LONG refs_ = 1;
  IUnknown* site_ = nullptr;
};

}  // namespace

HRESULT CreateBandObject(REFIID iid, void** out) {
  MinimalBand* band = new (std::nothrow) MinimalBand;
  if (!band) return E_OUTOFMEMORY;
  HRESULT result = band->QueryInterface(iid, out);
  band->Release();
  return result;
}

}  // namespace marvella
