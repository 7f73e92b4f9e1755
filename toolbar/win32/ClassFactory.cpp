// The class factory: one per DllGetClassObject call, counted as a live object while it
// exists; it makes toolbar objects through the band seam.
#include "toolbar/win32/ClassFactory.h"

#include "toolbar/win32/BandFactory.h"
#include "toolbar/win32/Registration.h"
#include "toolbar/win32/ServerState.h"

#include <unknwn.h>

#include <new>

namespace marvella {

namespace {

class ClassFactory final : public IClassFactory {
 public:
  explicit ClassFactory(REFCLSID clsid) : clsid_(clsid) { LockModule(); }

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IClassFactory))
      return E_NOINTERFACE;
    *out = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
  STDMETHODIMP_(ULONG) Release() override {
    LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    if (!IsEqualCLSID(clsid_, kToolbarClassId)) return E_FAIL;
    return CreateBandObject(iid, out);
  }
  // Server locks are not supported: the object count alone keeps the library loaded.
  STDMETHODIMP LockServer(BOOL) override { return E_NOTIMPL; }

 private:
  ~ClassFactory() { UnlockModule(); }

  LONG refs_ = 1;
  CLSID clsid_;
};

}  // namespace

HRESULT GetServerClassObject(REFCLSID clsid, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!IsEqualCLSID(clsid, kToolbarClassId)) return CLASS_E_CLASSNOTAVAILABLE;
  ClassFactory* factory = new (std::nothrow) ClassFactory(clsid);
  if (!factory) return E_OUTOFMEMORY;
  HRESULT result = factory->QueryInterface(iid, out);
  factory->Release();
  return result;
}

}  // namespace marvella
