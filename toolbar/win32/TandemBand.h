// The COM object the browser creates in every window: it finds the frame's rebar, inserts
// the toolbar's host window there as a band of its own that stays last, listens to the
// browser's events and serves the host window's collapse, expand and navigation.
#pragma once

#include "toolbar/win32/BarWindow.h"
#include "toolbar/win32/ServerState.h"
#include "toolbar/win32/ToolbarSettings.h"

#include <windows.h>
#include <ole2.h>
#include <exdisp.h>
#include <shlobj.h>
#include <shobjidl.h>

namespace marvella {

// {00649EC0-E572-11D3-8F5F-00C0DFEF760F}
extern const CLSID kTandemBandClassId;

// The band's identifier in the rebar.
constexpr UINT kBandId = 65535;

class TandemBand final : public IDeskBand,
                   public IInputObject,
                   public IObjectWithSite,
                   public IPersistStream,
                   public IContextMenu,
                   public IDispatch,
                   public BarWindow,
                   public LiveToolbar {
 public:
  // Reference count 1, counted as a live object and listed.
  explicit TandemBand(BarServices& services);

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  // IOleWindow, IDockingWindow, IDeskBand
  STDMETHODIMP GetWindow(HWND* window) override;
  STDMETHODIMP ContextSensitiveHelp(BOOL enter) override;
  STDMETHODIMP ShowDW(BOOL show) override;
  STDMETHODIMP CloseDW(DWORD reserved) override;
  STDMETHODIMP ResizeBorderDW(LPCRECT border, IUnknown* site, BOOL reserved) override;
  STDMETHODIMP GetBandInfo(DWORD bandId, DWORD viewMode, DESKBANDINFO* info) override;
  // IInputObject
  STDMETHODIMP UIActivateIO(BOOL activate, MSG* message) override;
  STDMETHODIMP HasFocusIO() override;
  STDMETHODIMP TranslateAcceleratorIO(MSG* message) override;
  // IObjectWithSite
  STDMETHODIMP SetSite(IUnknown* site) override;
  STDMETHODIMP GetSite(REFIID iid, void** out) override;
  // IPersist, IPersistStream
  STDMETHODIMP GetClassID(CLSID* id) override;
  STDMETHODIMP IsDirty() override;
  STDMETHODIMP Load(IStream* stream) override;
  STDMETHODIMP Save(IStream* stream, BOOL clearDirty) override;
  STDMETHODIMP GetSizeMax(ULARGE_INTEGER* size) override;
  // IContextMenu
  STDMETHODIMP QueryContextMenu(HMENU menu, UINT index, UINT first, UINT last,
                                UINT flags) override;
  STDMETHODIMP InvokeCommand(CMINVOKECOMMANDINFO* info) override;
  STDMETHODIMP GetCommandString(UINT_PTR command, UINT type, UINT* reserved, LPSTR buffer,
                                UINT size) override;
  // IDispatch: the sink of the browser's events
  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                             DISPID* ids) override;
  STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                      VARIANT* result, EXCEPINFO* exception, UINT* badArgument) override;

  // The host window's abstract operations.
  void Destroy() override;
  void Collapse(int width, int height) override;
  HRESULT Navigate(const char* url) override;
  void Hold(bool held) override;
  void BandSizesChanged() override;
  void Expand(int leftWidth, int fullWidth, int height) override;

  // The uninstall: the windows go, the object stays until the browser lets go of it.
  void DestroyToolbarWindows() override;
  HWND HostWindow() const override { return Window(); }

  HWND Rebar() const { return rebar_; }
  int BandIndex() const { return bandIndex_; }

 private:
  ~TandemBand();
  // The band record's sizes, from GetBandInfo, as the band goes into the rebar.
  REBARBANDINFOA BandRecordSizes();
  void InsertBand();
  void LeaveRebar();
  void ResizeBand(bool collapsed, int minWidth, int width, int height);
  static LRESULT CALLBACK RebarFilter(HWND rebar, UINT message, WPARAM wparam, LPARAM lparam);

  static constexpr LONG kDestroying = 0x40000000;
  LONG references_ = 1;
  IUnknown* site_ = nullptr;
  IWebBrowser2* browser_ = nullptr;
  IConnectionPoint* events_ = nullptr;
  DWORD cookie_ = 0;
  HWND rebar_ = nullptr;
  int bandIndex_ = -1;
  int tableEntry_ = -1;
};

}  // namespace marvella
