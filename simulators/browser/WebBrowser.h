// The test browser's automation object: the IWebBrowser2 a helper object is sited with, its
// connection point for DWebBrowserEvents2, and the asynchronous navigation behind them.
#pragma once

#include <windows.h>
#include <exdisp.h>
#include <ocidl.h>
#include <olectl.h>
#include <servprov.h>

#include <string>
#include <vector>

namespace testbrowser {

// Messages the browser object posts to its frame window, which hands them back.
enum : UINT {
  kMsgWindowCommand = WM_APP + 1,   // lParam: a script command
  kMsgNavigationStep = WM_APP + 2,  // wParam: navigation generation
  kMsgRefreshStep = WM_APP + 3,
  kMsgFreeLater = WM_APP + 4,
};
enum : UINT_PTR { kNavigationTimer = 1 };

// What the browser object asks of the window and program around it.
class BrowserOwner {
 public:
  virtual void RequestClose() = 0;                              // Quit
  virtual void OpenNewWindow(const std::wstring& url) = 0;      // navOpenInNewWindow
  virtual void LocationChanged(const std::wstring& url) = 0;    // title and page text

 protected:
  ~BrowserOwner() = default;
};

class WebBrowser;

// The connection point for DWebBrowserEvents2: a part of the browser object (it shares
// its reference count), holding the advised sinks.
class EventPoint : public IConnectionPoint {
 public:
  explicit EventPoint(WebBrowser* browser) : browser_(browser) {}

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP GetConnectionInterface(IID* iid) override;
  STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** out) override;
  STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
  STDMETHODIMP Unadvise(DWORD cookie) override;
  STDMETHODIMP EnumConnections(IEnumConnections** out) override;

  // Calls every sink advised when the event starts; arguments are given in the order the
  // event declares them and passed reversed, as the browser does. Sinks may unadvise,
  // navigate or close the window from inside.
  void Fire(DISPID id, const char* name, VARIANTARG* argsInOrder, UINT count,
            const char* target, const std::wstring& url);
  void DropAll();  // the window is gone: sinks that never unadvised are let go
  int Count() const { return int(sinks_.size()); }

 private:
  struct Sink {
    DWORD cookie;
    IDispatch* dispatch;
  };
  WebBrowser* browser_;
  std::vector<Sink> sinks_;
  DWORD nextCookie_ = 1;
};

class WebBrowser : public IWebBrowser2, public IConnectionPointContainer, public IServiceProvider {
 public:
  // The top-level browser of window `window`; a frame of `top` otherwise.
  WebBrowser(int window, BrowserOwner* owner);
  WebBrowser(WebBrowser* top, int index, const std::wstring& url);

  void Attach(HWND frame);  // navigation steps are posted to this window
  void Detach();            // the window is closing: no more navigation or events
  void OnNavigationStep(unsigned generation);
  void OnRefreshStep();
  void OnNavigationTimer();  // the navigation delay has passed
  void FireQuit();
  bool Busy() const { return busy_ != 0; }
  void SetFrameCount(int n) { frameCount_ = n < 0 ? 0 : n; }
  void SetNavigationDelay(int ms) { navigationDelayMs_ = ms < 0 ? 0 : ms; }
  const std::wstring& Location() const { return location_; }
  int Window() const { return window_; }
  LONG References() const { return references_; }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  // IDispatch
  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** out) override;
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
  STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;
  // IWebBrowser
  STDMETHODIMP GoBack() override;
  STDMETHODIMP GoForward() override;
  STDMETHODIMP GoHome() override;
  STDMETHODIMP GoSearch() override;
  STDMETHODIMP Navigate(BSTR url, VARIANT* flags, VARIANT* target, VARIANT* postData,
                        VARIANT* headers) override;
  STDMETHODIMP Refresh() override;
  STDMETHODIMP Refresh2(VARIANT* level) override;
  STDMETHODIMP Stop() override;
  STDMETHODIMP get_Application(IDispatch** out) override;
  STDMETHODIMP get_Parent(IDispatch** out) override;
  STDMETHODIMP get_Container(IDispatch** out) override;
  STDMETHODIMP get_Document(IDispatch** out) override;
  STDMETHODIMP get_TopLevelContainer(VARIANT_BOOL* out) override;
  STDMETHODIMP get_Type(BSTR* out) override;
  STDMETHODIMP get_Left(LONG* out) override;
  STDMETHODIMP put_Left(LONG value) override;
  STDMETHODIMP get_Top(LONG* out) override;
  STDMETHODIMP put_Top(LONG value) override;
  STDMETHODIMP get_Width(LONG* out) override;
  STDMETHODIMP put_Width(LONG value) override;
  STDMETHODIMP get_Height(LONG* out) override;
  STDMETHODIMP put_Height(LONG value) override;
  STDMETHODIMP get_LocationName(BSTR* out) override;
  STDMETHODIMP get_LocationURL(BSTR* out) override;
  STDMETHODIMP get_Busy(VARIANT_BOOL* out) override;
  // IWebBrowserApp
  STDMETHODIMP Quit() override;
  STDMETHODIMP ClientToWindow(int* cx, int* cy) override;
  STDMETHODIMP PutProperty(BSTR name, VARIANT value) override;
  STDMETHODIMP GetProperty(BSTR name, VARIANT* out) override;
  STDMETHODIMP get_Name(BSTR* out) override;
  STDMETHODIMP get_HWND(SHANDLE_PTR* out) override;
  STDMETHODIMP get_FullName(BSTR* out) override;
  STDMETHODIMP get_Path(BSTR* out) override;
  STDMETHODIMP get_Visible(VARIANT_BOOL* out) override;
  STDMETHODIMP put_Visible(VARIANT_BOOL value) override;
  STDMETHODIMP get_StatusBar(VARIANT_BOOL* out) override;
  STDMETHODIMP put_StatusBar(VARIANT_BOOL value) override;
  STDMETHODIMP get_StatusText(BSTR* out) override;
  STDMETHODIMP put_StatusText(BSTR value) override;
  STDMETHODIMP get_ToolBar(int* out) override;
  STDMETHODIMP put_ToolBar(int value) override;
  STDMETHODIMP get_MenuBar(VARIANT_BOOL* out) override;
  STDMETHODIMP put_MenuBar(VARIANT_BOOL value) override;
  STDMETHODIMP get_FullScreen(VARIANT_BOOL* out) override;
  STDMETHODIMP put_FullScreen(VARIANT_BOOL value) override;
  // IWebBrowser2
  STDMETHODIMP Navigate2(VARIANT* url, VARIANT* flags, VARIANT* target, VARIANT* postData,
                         VARIANT* headers) override;
  STDMETHODIMP QueryStatusWB(OLECMDID cmd, OLECMDF* out) override;
  STDMETHODIMP ExecWB(OLECMDID cmd, OLECMDEXECOPT opt, VARIANT* in, VARIANT* out) override;
  STDMETHODIMP ShowBrowserBar(VARIANT* clsid, VARIANT* show, VARIANT* size) override;
  STDMETHODIMP get_ReadyState(READYSTATE* out) override;
  STDMETHODIMP get_Offline(VARIANT_BOOL* out) override;
  STDMETHODIMP put_Offline(VARIANT_BOOL value) override;
  STDMETHODIMP get_Silent(VARIANT_BOOL* out) override;
  STDMETHODIMP put_Silent(VARIANT_BOOL value) override;
  STDMETHODIMP get_RegisterAsBrowser(VARIANT_BOOL* out) override;
  STDMETHODIMP put_RegisterAsBrowser(VARIANT_BOOL value) override;
  STDMETHODIMP get_RegisterAsDropTarget(VARIANT_BOOL* out) override;
  STDMETHODIMP put_RegisterAsDropTarget(VARIANT_BOOL value) override;
  STDMETHODIMP get_TheaterMode(VARIANT_BOOL* out) override;
  STDMETHODIMP put_TheaterMode(VARIANT_BOOL value) override;
  STDMETHODIMP get_AddressBar(VARIANT_BOOL* out) override;
  STDMETHODIMP put_AddressBar(VARIANT_BOOL value) override;
  STDMETHODIMP get_Resizable(VARIANT_BOOL* out) override;
  STDMETHODIMP put_Resizable(VARIANT_BOOL value) override;
  // IConnectionPointContainer
  STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** out) override;
  STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** out) override;
  // IServiceProvider
  STDMETHODIMP QueryService(REFGUID service, REFIID iid, void** out) override;

 private:
  enum class Kind { kNew, kBack, kForward };
  enum Flag { kVisible, kStatusBar, kMenuBar, kFullScreen, kOffline, kSilent, kRegisterAsBrowser,
              kRegisterAsDropTarget, kTheaterMode, kAddressBar, kResizable, kFlagCount };

  virtual ~WebBrowser();
  bool OnOwnThread(const char* method);
  HRESULT StartNavigation(const std::wstring& url, Kind kind, VARIANT* flags, VARIANT* target,
                          VARIANT* postData, VARIANT* headers);
  void PostStep();
  void FireNavigateComplete(WebBrowser* target, const char* name);
  void FireDocumentComplete(WebBrowser* target, const char* name);
  HRESULT GetFlag(Flag f, VARIANT_BOOL* out);
  HRESULT PutFlag(Flag f, VARIANT_BOOL value);
  HRESULT GetRect(int part, LONG* out);
  HRESULT PutRect(int part, LONG value);
  static HRESULT ReturnText(const std::wstring& text, BSTR* out);

  volatile LONG references_ = 1;
  int window_;
  BrowserOwner* owner_;
  WebBrowser* top_ = nullptr;  // frames: the browser that holds them (referenced)
  int frameIndex_ = 0;
  DWORD thread_;
  HWND frame_ = nullptr;
  EventPoint events_{this};
  std::wstring location_;
  std::wstring statusText_;
  std::vector<std::wstring> back_, forward_;
  std::vector<WebBrowser*> frames_;  // frames of the current page
  VARIANT_BOOL flags_[kFlagCount];
  int toolBar_ = 1;
  int frameCount_ = 0;
  int navigationDelayMs_ = 0;
  // The navigation under way: its steps run while `generation_` is unchanged.
  volatile LONG busy_ = 0;
  unsigned generation_ = 0;
  unsigned step_ = 0;
  std::wstring pendingUrl_;
  Kind pendingKind_ = Kind::kNew;
  int pendingFrames_ = 0;
  std::vector<WebBrowser*> pendingFrameObjects_;
};

}  // namespace testbrowser
