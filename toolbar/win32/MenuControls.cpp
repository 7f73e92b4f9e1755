// The tools button and the menu bar: their windows, buttons and sizes.
#include "toolbar/BarTexts.h"
#include "toolbar/CommandRules.h"
#include "toolbar/win32/BarControls.h"
#include "toolbar/win32/BookmarksSetup.h"

#include <new>

namespace marvella {

bool ToolsButton::Create(HWND parent, int x) {
  normal_ = LoadImages(services_.module, 9, 18, 1, IDB_TOOLS, IDB_TOOLS_MASK);
  hot_ = LoadImages(services_.module, 9, 18, 1, IDB_TOOLS_HOT, IDB_TOOLS_MASK);
  TBBUTTON buttons[] = {Button(0, 0, 0), Separator()};
  if (!Build(parent, x, 9, 18, nullptr, 2, buttons)) return false;
  size_ = MaxSize(toolbar_);
  return true;
}

LRESULT ToolsButton::OnNotify(NMHDR* header, BarWindow&) {
  TooltipString(header, services_.module, IDS_TOOLS_TIP);
  return 0;
}

MenuBar::MenuBar(BarServices& services)
    : services_(services),
      tokens_(services.queue, services.agent, services.strings, services.files),
      personalPage_(services.queue, services.agent, services.strings, services.files),
      bookmarks_(services.queue, services.agent, services.tables) {
  PrepareBookmarksFile(bookmarks_, services.module, services.strings, services.files);
}

bool MenuBar::Create(HWND parent, int x) {
  normal_ = LoadImages(services_.module, 18, 18, 4, IDB_MENUS, IDB_MENUS_MASK);
  hot_ = LoadImages(services_.module, 18, 18, 4, IDB_MENUS_HOT, IDB_MENUS_MASK);
  // The texts: "Mi Marvella", then the section names. A menu whose name no longer fits is
  // left off the bar.
  char first[kMenuLineCapacity];
  services_.strings.Load(IDS_MI_MARVELLA, first, sizeof first);
  char strings[kMenuBarStringsCapacity];
  unsigned menus = BuildMenuBarStrings(first, bookmarks_.Menus(), bookmarks_.MenuCount(), strings,
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
  size_ = MeasureButtons(toolbar_);
  return true;
}

void MenuBar::OnDocumentComplete(const char*) {
  bookmarks_.Refresh();
  tokens_.Refresh();
}

}  // namespace marvella
