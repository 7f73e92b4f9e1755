// The tools button and the menu bar: their windows, buttons and sizes.
#include "common/BoundedText.h"
#include "toolbar/BarTexts.h"
#include "toolbar/CommandRules.h"
#include "toolbar/win32/BarControls.h"
#include "toolbar/win32/BookmarksSetup.h"

#include <new>
#include <utility>

namespace marvella {

bool ToolsButton::Create(HWND parent, int x) {
  normal_.Reset(LoadImages(services_.module, 9, 18, 1, IDB_TOOLS, IDB_TOOLS_MASK));
  hot_.Reset(LoadImages(services_.module, 9, 18, 1, IDB_TOOLS_HOT, IDB_TOOLS_MASK));
  TBBUTTON buttons[] = {Button(0, 0, 0), Separator()};
  if (!Build(parent, x, 9, 18, nullptr, 2, buttons)) return false;
  size_ = MaxSize(Toolbar());
  return true;
}

LRESULT ToolsButton::OnNotify(NMHDR* header, BarWindow&) {
  TooltipString(header, services_.module, IDS_TOOLS_TIP);
  return 0;
}

MenuBar::MenuBar(BarServices& services)
    : services_(services),
      tokens_(services),
      personalPage_(services),
      bookmarks_(services),
      work_(&MenuBar::ReadFiles, this) {
  tokens_.SetStoredHook(&MenuBar::PageStored, this);
  if (!work_.Request()) ReadFiles(this);  // no thread: the old way, on this one
}

MenuBar::~MenuBar() {
  tokens_.Close();  // no more read-ahead asked for by its downloads
  MenuBar::Destroy();
}

void MenuBar::ReadFiles(void* p) {
  MenuBar* bar = static_cast<MenuBar*>(p);
  bool prepare;
  {
    MutexLock lock(bar->readLock_);
    prepare = !bar->prepared_;
  }
  if (prepare)
    PrepareBookmarksFile(bar->bookmarks_, bar->services_.module, bar->services_.strings,
                         bar->services_.files);
  // A bar that closes stops here (its next build reads the file again).
  if (bar->work_.Cancelled()) return;
  int tokens = bar->tokens_.Read();
  bool found = bar->personalPage_.Read();
  HWND host;
  {
    MutexLock lock(bar->readLock_);
    bar->tokenCount_ = tokens;
    bar->personalFound_ = found;
    CopyBounded(bar->personalPageAddress_, bar->personalPage_.Address());
    bar->prepared_ = true;
    host = prepare ? bar->readyHost_ : nullptr;
  }
  if (host) PostMessageA(host, kMenusReadyMessage, 0, 0);
}

bool MenuBar::FileWasRead() {
  MutexLock lock(readLock_);
  return prepared_;
}

void MenuBar::PageStored(void* bar) { static_cast<MenuBar*>(bar)->ReadAhead(); }

void MenuBar::ReadAhead() { work_.Request(); }

bool MenuBar::Prepared(HWND host) {
  {
    MutexLock lock(readLock_);
    if (prepared_) return true;
    readyHost_ = host;
  }
  // A read that an earlier Destroy dropped is asked for again.
  if (work_.WaitIdle(0) && !work_.Request()) ReadFiles(this);
  MutexLock lock(readLock_);
  return prepared_;
}

void MenuBar::Destroy() {
  // The reads' thread posts to the host window: it ends before the window goes.
  work_.Stop();
  {
    MutexLock lock(readLock_);
    readyHost_ = nullptr;
  }
  BarControl::Destroy();
}

bool MenuBar::FileRead() {
  if (refreshWanted_) {
    refreshWanted_ = false;
    bookmarks_.Refresh();
  }
  if (!Toolbar() || builtPrepared_) return false;
  HWND parent = GetParent(Toolbar());
  RECT place;
  GetWindowRect(Toolbar(), &place);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&place), 2);
  // Its own visibility, not its parents': a host still out of sight keeps it shown.
  bool shown = (GetWindowLongA(Toolbar(), GWL_STYLE) & WS_VISIBLE) != 0;
  // The new bar goes up before the old one goes: the bar is never without its menus.
  // The old one goes on the way out, its window before the lists it showed.
  OwnedImageList oldNormal = std::move(normal_);
  OwnedImageList oldHot = std::move(hot_);
  OwnedWindow old = std::move(toolbar_);
  tooltip_ = nullptr;
  bool built = Create(parent, place.left);
  if (built && !shown) Show(false);
  return built;
}

bool MenuBar::Create(HWND parent, int x) {
  builtPrepared_ = Prepared(parent);
  normal_.Reset(LoadImages(services_.module, 18, 18, 4, IDB_MENUS, IDB_MENUS_MASK));
  hot_.Reset(LoadImages(services_.module, 18, 18, 4, IDB_MENUS_HOT, IDB_MENUS_MASK));
  // The texts: "Mi Marvella", then the section names. A menu whose name no longer fits is
  // left off the bar.
  char first[kMenuLineCapacity];
  services_.strings.Load(IDS_MI_MARVELLA, first, sizeof first);
  char strings[kMenuBarStringsCapacity];
  unsigned menus = builtPrepared_ ? BuildMenuBarStrings(first, bookmarks_.Menus(),
                                                       bookmarks_.MenuCount(), strings,
                                                       sizeof strings)
                                  : BuildMenuBarStrings(first, nullptr, 0, strings,
                                                        sizeof strings);
  menuButtons_ = menus;

  // A separator, "Mi Marvella" (command 10), one button per menu (11 + k).
  TBBUTTON* buttons = new (std::nothrow) TBBUTTON[menus + 2];
  if (!buttons) return false;
  buttons[0] = Separator(0);
  buttons[1] = Button(0, 10, TBSTYLE_DROPDOWN, 0);
  for (unsigned k = 0; k < menus; ++k)
    buttons[k + 2] = Button(bookmarks_.Menu(k)->icon, static_cast<int>(11 + k), 0,
                            static_cast<INT_PTR>(k + 1));
  bool built = Build(parent, x, 18, 18, strings, static_cast<int>(menus + 2), buttons);
  delete[] buttons;
  if (!built) return false;
  size_ = MeasureButtons(Toolbar());
  return true;
}

void MenuBar::OnDocumentComplete(const char*) {
  // The refresh replaces the working copy: not while the first read may still be reading it.
  if (FileWasRead())
    bookmarks_.Refresh();
  else
    refreshWanted_ = true;
  tokens_.Refresh();
  ReadAhead();
}

}  // namespace marvella
