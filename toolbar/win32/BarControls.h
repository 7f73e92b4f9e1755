// The toolbar's seven controls. The show button, the banner, the home button and the mail
// indicator are in BarControls.cpp; the tools button, the search control and the menu bar
// are built in MenuControls.cpp, and their commands, menus and searches are in
// ToolsMenu.cpp, SearchControl.cpp and MenuBarCommands.cpp.
#pragma once

#include "toolbar/BackgroundWork.h"
#include "toolbar/BannerFeed.h"
#include "toolbar/BookmarksFile.h"
#include "toolbar/MailChecker.h"
#include "toolbar/PageFetchers.h"
#include "toolbar/win32/BannerBitmapLoader.h"
#include "toolbar/win32/BarControl.h"
#include "toolbar/win32/MailButtonView.h"

#include <memory>

namespace marvella {

// Shown alone while the toolbar is collapsed; a click expands it again.
class ShowButton : public BarControl {
 public:
  explicit ShowButton(BarServices& services) : services_(services) {}
  bool Create(HWND parent, int x) override;
  LRESULT OnCommand(int code, WPARAM wparam, HWND sender, BarWindow& bar) override;
  LRESULT OnNotify(NMHDR* header, BarWindow& bar) override;

 private:
  BarServices& services_;
};

// Posted to the host window when a converted banner waits to be shown.
constexpr UINT kBannerReadyMessage = WM_APP + 1;

// Posted to the host window when the menu bar's read of the bookmarks file is done.
constexpr UINT kMenusReadyMessage = WM_APP + 2;
// Posted to the host window by itself: build the controls (BarWindow::CreateHost).
constexpr UINT kBuildControlsMessage = WM_APP + 3;
// (WM_APP + 4 is kTeardownMessage, ServerState.h.)
// Posted to the host window by "Desinstalar": the confirmation and the uninstall run once
// the menu and the command that chose it have returned.
constexpr UINT kUninstallMessage = WM_APP + 5;

// The advertising banner: the feed's image, link and tooltip. The feed works on a thread
// of the control's own (JPEG conversion, page reads); the window's thread only swaps in a
// ready image with the link and tooltip that came with it.
class BannerControl : public BarControl {
 public:
  explicit BannerControl(BarServices& services);
  ~BannerControl() override;
  bool Create(HWND parent, int x) override;
  void Destroy() override;
  LRESULT OnCommand(int code, WPARAM wparam, HWND sender, BarWindow& bar) override;
  LRESULT OnNotify(NMHDR* header, BarWindow& bar) override;
  void OnDocumentComplete(const char* url) override;
  void Refresh() override;
  // The ready banner, if any, into the image list; its link and tooltip become the shown
  // ones (kBannerReadyMessage).
  void ShowReady();
  const char* Link() const { return link_; }
  const char* Tooltip() const { return tooltip_; }
  BannerFeed& Feed() { return feed_; }

 private:
  static void RefreshFeed(void* control);

  BarServices& services_;
  BannerFeed feed_;
  char link_[kBannerTextCapacity] = "";
  char tooltip_[kBannerTextCapacity] = "";
  HWND host_ = nullptr;
  Mutex readyLock_;  // guards the three that follow, written by the feed's thread
  OwnedGdi<HBITMAP> ready_;
  char readyLink_[kBannerTextCapacity] = "";
  char readyTooltip_[kBannerTextCapacity] = "";
  BackgroundWork work_;  // last: stopped before the rest goes
};

// The arrow that opens the "Herramientas" menu (ToolsMenu.cpp).
class ToolsButton : public BarControl {
 public:
  explicit ToolsButton(BarServices& services) : services_(services) {}
  bool Create(HWND parent, int x) override;
  LRESULT OnCommand(int code, WPARAM wparam, HWND sender, BarWindow& bar) override;
  LRESULT OnNotify(NMHDR* header, BarWindow& bar) override;

 private:
  void Run(int command, BarWindow& bar);
  void ShowAbout();

  BarServices& services_;
};

class HomeButton : public BarControl {
 public:
  explicit HomeButton(BarServices& services) : services_(services) {}
  bool Create(HWND parent, int x) override;
  LRESULT OnCommand(int code, WPARAM wparam, HWND sender, BarWindow& bar) override;
  LRESULT OnNotify(NMHDR* header, BarWindow& bar) override;

 private:
  BarServices& services_;
};

// The search box: an edit field and the "Buscar" button beside it, with a keyboard hook
// on its thread so that Enter and Backspace reach the box before the browser takes them
// (SearchControl.cpp).
class SearchControl : public BarControl {
 public:
  explicit SearchControl(BarServices& services) : services_(services) {}
  ~SearchControl() override;
  bool Create(HWND parent, int x) override;
  void Destroy() override;
  bool OwnsWindow(HWND window) override;
  LRESULT OnCommand(int code, WPARAM wparam, HWND sender, BarWindow& bar) override;
  LRESULT OnNotify(NMHDR* header, BarWindow& bar) override;
  void Move(int x) override;
  void Show(bool show) override;
  HWND Edit() const { return edit_.Get(); }

  // The keyboard hook's work for this box (result 1: the key is swallowed).
  LRESULT OnKey(int code, WPARAM key, LPARAM data);

 private:
  // Sends the browser to templ formatted with the box's escaped text, then empties it.
  void Search(const char* templ, BarWindow& bar);

  BarServices& services_;
  OwnedWindow edit_;  // a child of the host window, as the toolbar window is
  BarSize button_;
  int editHeight_ = 0;
  int hookEntry_ = -1;
  OwnedHook hook_;
};

// The mail button: image and tooltip from the checker, which polls on its own thread.
class MailIndicator : public BarControl {
 public:
  explicit MailIndicator(BarServices& services);
  ~MailIndicator() override;
  bool Create(HWND parent, int x) override;
  void Destroy() override;
  LRESULT OnCommand(int code, WPARAM wparam, HWND sender, BarWindow& bar) override;
  LRESULT OnNotify(NMHDR* header, BarWindow& bar) override;
  void OnDocumentComplete(const char* url) override;
  void Refresh() override;
  MailChecker& Checker() { return checker_; }

 private:
  BarServices& services_;
  MailChecker checker_;
  std::unique_ptr<MailButtonView> view_;
  char tooltip_[kMailTextCapacity] = "";
};

// "Mi Marvella" and one button per user menu of the bookmarks file. The file, the tokens
// and the personal page are read on a thread of the bar's own: a bar built before the
// file was read has "Mi Marvella" alone and is built again at kMenusReadyMessage, and the
// Mi Marvella menu shows the fields as last read (after each download of their page).
class MenuBar : public BarControl {
 public:
  explicit MenuBar(BarServices& services);
  ~MenuBar() override;
  bool Create(HWND parent, int x) override;
  void Destroy() override;
  // Once the file has been read (kMenusReadyMessage): the refresh that a document completed
  // meanwhile asked for, and the buttons built again; true when they changed.
  bool FileRead();
  bool FileWasRead();
  // Asks for a read of the tokens and personal-page fields (e.g. their page has changed).
  void ReadAhead();
  LRESULT OnCommand(int code, WPARAM wparam, HWND sender, BarWindow& bar) override;
  LRESULT OnNotify(NMHDR* header, BarWindow& bar) override;
  void OnDocumentComplete(const char* url) override;

 private:
  // The commands and menus (MenuBarCommands.cpp).
  void ShowMiMarvellaMenu(BarWindow& bar);
  void ShowUserMenu(unsigned k, BarWindow& bar);
  static void ReadFiles(void* bar);
  static void PageStored(void* bar);
  // True once the bookmarks file has been read; else the ready message goes to host.
  bool Prepared(HWND host);

  BarServices& services_;
  unsigned menuButtons_ = 0;  // the user menus that got a button
  bool builtPrepared_ = false;  // the buttons were built from the read file
  bool refreshWanted_ = false;  // a document completed before the file was read
  TokensFetcher tokens_;
  PersonalPageFetcher personalPage_;
  BookmarksFile bookmarks_;
  Mutex readLock_;  // guards what follows, written by the reads' thread
  bool prepared_ = false;
  HWND readyHost_ = nullptr;
  int tokenCount_ = -1;
  bool personalFound_ = false;
  char personalPageAddress_[kHiddenTextCapacity] = "";
  BackgroundWork work_;  // last: stopped before the rest goes
};

}  // namespace marvella
