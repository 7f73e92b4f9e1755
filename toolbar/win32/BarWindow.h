// The toolbar's host window ("TandemBarClass") in the browser's rebar: it holds the seven
// controls, routes their commands and notifications to the control that owns the sender,
// broadcasts completed documents, lays the controls out and collapses the toolbar to its
// show button. The band object implements the abstract operations.
#pragma once

#include "toolbar/BarLayout.h"
#include "toolbar/win32/BarControls.h"

#include <windows.h>

namespace marvella {

class BarWindow {
 public:
  explicit BarWindow(BarServices& services);
  BarWindow(const BarWindow&) = delete;
  BarWindow& operator=(const BarWindow&) = delete;

  virtual LRESULT OnKillFocus(HWND window);
  virtual LRESULT OnSetFocus(HWND window);
  virtual LRESULT OnCommand(int code, WPARAM wparam, HWND sender);
  virtual LRESULT OnSize(WPARAM flags, int width, int height);
  virtual LRESULT OnNotify(NMHDR* header);
  virtual void OnSysColorChange();
  // Every control, in routing order, then the offer of a newer version.
  virtual void OnDocumentComplete(const char* url);
  // Destroys the controls and the host window.
  virtual void Destroy();
  virtual void Collapse(int width, int height) = 0;
  // Opens url in the browser window that holds the toolbar.
  virtual HRESULT Navigate(const char* url) = 0;
  virtual void Expand(int leftWidth, int fullWidth, int height) = 0;
  // The band's sizes in the rebar changed from those it went in with.
  virtual void BandSizesChanged();
  // Keeps the object alive across a question box shown from the window's own message
  // (the band holds a reference); released last.
  virtual void Hold(bool held);

  // Makes the host window as a child of parent and creates the controls in it; on failure
  // destroys whatever was made. The window class is registered once per process. The
  // band takes the layout of the process's first toolbar, or for that one the layout the
  // settings keep from the last session, and the controls are built from the window's
  // message loop (kBuildControlsMessage), after the browser has finished opening the
  // window: the controls are the same, and so are their sizes (a layout that turns out
  // otherwise resizes the band). Without either the controls are built here.
  bool CreateHost(HWND parent);
  // Builds the controls now if their build is still waiting; false when it failed (the
  // toolbar has then been destroyed).
  bool BuildPending();
  // Shows the show button alone, or every control but it, and resizes the band.
  void SetCollapsed(bool collapsed);
  // Refresh on every control ("Refrescar").
  void RefreshControls();

  HWND Window() const { return window_.Get(); }
  const BarLayout& Layout() const { return layout_; }
  BarServices& Services() { return services_; }
  BarControl& Control(BarSlot slot) { return *routing_[slot]; }
  BannerControl& Banner() { return banner_; }
  MailIndicator& Mail() { return mail_; }
  SearchControl& Search() { return search_; }
  MenuBar& Menus() { return menu_; }

 protected:
  ~BarWindow();

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  // The messages handled with the band held (Hold).
  LRESULT Held(UINT message, WPARAM wparam, LPARAM lparam);
  bool CreateControls();
  // The menu bar's read of the bookmarks file is done (kMenusReadyMessage): its buttons
  // and the mail button's page.
  void MenusReady();
  // The offer of a newer version, from the bookmarks file this toolbar has read.
  void OfferNewVersion();
  static void ConfigStored(void* bar);
  BarControl* Owner(HWND window);

  BarServices& services_;
  // Taken at WM_NCCREATE; let go at WM_NCDESTROY when the rebar takes it down first.
  OwnedWindow window_;
  BarLayout layout_;
  bool offerWanted_ = false;
  bool buildPending_ = false;  // the controls wait for kBuildControlsMessage  // a document completed before the bookmarks file was read
  // Constructed in this order (the menu bar starts reading the bookmarks file first, the
  // mail indicator starts its checker's thread); routed in the order of routing_.
  MenuBar menu_;
  ShowButton show_;
  BannerControl banner_;
  ToolsButton tools_;
  SearchControl search_;
  MailIndicator mail_;
  HomeButton home_;
  BarControl* routing_[kBarSlots];
};

}  // namespace marvella
