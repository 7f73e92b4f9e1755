// The base of the toolbar's seven controls, each built on one toolbar common control, and
// the routines they share: the common-control builder, the measuring routine, the popup
// routine, image lists from the library's bitmaps and tooltip answers.
#pragma once

#include "toolbar/BannerFeed.h"
#include "toolbar/BarLayout.h"
#include "toolbar/BookmarkTables.h"
#include "toolbar/DownloadQueue.h"
#include "toolbar/FetchContext.h"
#include "toolbar/FileAccess.h"
#include "toolbar/MailChecker.h"
#include "toolbar/StringTable.h"
#include "toolbar/VersionPrompt.h"
#include "common/win32/Owned.h"

#include <windows.h>
#include <commctrl.h>

namespace marvella {

class BarWindow;

using OwnedImageList = Owned<HIMAGELIST, &ImageList_Destroy>;

// What the controls and their data objects work with: the process-wide objects in the
// library, the test's own in tests. The fetchers take the first part as it is.
struct BarServices : FetchContext {
  HINSTANCE module;
  BitmapLoader& bitmaps;
  JpegConverter convert;
  SettingsStore& settings;
  unsigned mailPollMilliseconds;
};

// The builder: a flat list-style toolbar with tooltips at (x, 0), the buttons added, sized
// to them. strings: a double-zero-ended list, or null for none. Null on failure.
HWND CreateToolbar(HWND parent, int x, int imageWidth, int imageHeight, HIMAGELIST normal,
                   HIMAGELIST hot, const char* strings, int count, const TBBUTTON* buttons);
// The width of all buttons (count times the button width) and the button height.
BarSize MeasureButtons(HWND toolbar);
BarSize MaxSize(HWND toolbar);  // TB_GETMAXSIZE
// Shows menu under button `command` of toolbar; returns the chosen command (0 for none).
// The menu is the routine's: it destroys it.
int ShowPopup(HWND toolbar, HMENU menu, int command);
// An image list of count images from bitmap `bitmap`: with mask bitmap `mask`, or with
// white as the mask colour when mask is 0. Null on failure; the caller owns the list.
HIMAGELIST LoadImages(HINSTANCE module, int width, int height, int count, unsigned bitmap,
                      unsigned mask);
TBBUTTON Button(int image, int command, BYTE style, INT_PTR string = 0);
TBBUTTON Separator(int command = 0);

class BarControl {
 public:
  BarControl() = default;
  BarControl(const BarControl&) = delete;
  BarControl& operator=(const BarControl&) = delete;

  // The window goes first, then the lists it showed (the members' order).
  virtual ~BarControl();
  // Builds the toolbar window at x and measures the control.
  virtual bool Create(HWND parent, int x) = 0;
  // Destroys the toolbar window and its image lists.
  virtual void Destroy();
  virtual bool OwnsWindow(HWND window);
  virtual LRESULT OnCommand(int code, WPARAM wparam, HWND sender, BarWindow& bar);
  virtual LRESULT OnNotify(NMHDR* header, BarWindow& bar);
  virtual void OnDocumentComplete(const char* url);
  virtual void Refresh();
  virtual void Move(int x);
  virtual void Show(bool show);
  virtual void SysColorChange();

  BarSize Size() const { return size_; }
  HWND Toolbar() const { return toolbar_.Get(); }
  // The toolbar made its tooltip window (NM_TOOLTIPSCREATED): its notifications are ours.
  void TooltipCreated(HWND tooltip) { tooltip_ = tooltip; }

 protected:
  // CreateToolbar with the control's image lists. The tooltip window comes later, when the
  // toolbar first needs it.
  bool Build(HWND parent, int x, int imageWidth, int imageHeight, const char* strings,
             int count, const TBBUTTON* buttons);
  // Takes a text's room off the measured width, but never cuts into the buttons as the
  // common controls laid them out: those that report no such room would lose the images.
  void LeaveOffTextRoom(int room);
  // TTN_NEEDTEXTA answers: a string of the library's table, or a text of the control's
  // (null for an empty tooltip). Other notifications are left alone.
  static void TooltipString(NMHDR* header, HINSTANCE module, unsigned id);
  static void TooltipText(NMHDR* header, const char* text);

  OwnedImageList normal_;
  OwnedImageList hot_;
  // The toolbar window is a child of the host window: destroyed here, or with the host
  // window when that goes first (destroying a gone window does nothing).
  OwnedWindow toolbar_;
  HWND tooltip_ = nullptr;  // the toolbar's own
  BarSize size_;
};

}  // namespace marvella
