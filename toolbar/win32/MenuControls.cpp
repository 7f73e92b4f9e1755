// The tools button, the search control and the menu bar: their windows, buttons and sizes.
#include "toolbar/BarTexts.h"
#include "toolbar/win32/BarControls.h"
#include "toolbar/win32/BookmarksSetup.h"

#include <cstring>

namespace marvella {

namespace {
constexpr int kEditWidth = 100;
constexpr int kSearchArrowRoom = 20;
constexpr std::size_t kMenuStringsCapacity = 1024;
}  // namespace

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

SearchControl::~SearchControl() { SearchControl::Destroy(); }

bool SearchControl::Create(HWND parent, int x) {
  char label[64];
  std::size_t length = services_.strings.Load(IDS_SEARCH_BUTTON, label, sizeof label - 1);
  label[length + 1] = '\0';  // the list ends with a second zero
  TBBUTTON button = Button(0, 0, TBSTYLE_DROPDOWN, 0);
  if (!Build(parent, x + kEditWidth + 1, 0, 18, label, 1, &button)) return false;
  button_ = MaxSize(toolbar_);
  button_.width += kSearchArrowRoom;
  editHeight_ = button_.height - 4;
  edit_ = CreateWindowExA(0, "EDIT", nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL,
                          x, 2, kEditWidth, editHeight_, parent, nullptr, services_.module,
                          nullptr);
  if (!edit_) {
    Destroy();
    return false;
  }
  size_ = {button_.width + kEditWidth, button_.height};
  return true;
}

void SearchControl::Destroy() {
  if (edit_) DestroyWindow(edit_);
  edit_ = nullptr;
  BarControl::Destroy();
}

bool SearchControl::OwnsWindow(HWND window) {
  return window && (window == edit_ || BarControl::OwnsWindow(window));
}

LRESULT SearchControl::OnNotify(NMHDR* header, BarWindow&) {
  TooltipText(header, nullptr);
  return 0;
}

void SearchControl::Move(int x) {
  if (edit_) MoveWindow(edit_, x, 2, kEditWidth, editHeight_, TRUE);
  if (toolbar_)
    MoveWindow(toolbar_, x + kEditWidth + 1, 0, button_.width, button_.height, TRUE);
}

void SearchControl::Show(bool show) {
  if (edit_) ShowWindow(edit_, show ? SW_SHOW : SW_HIDE);
  BarControl::Show(show);
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
  // The texts: "Mi Marvella", then the section names, each zero-ended, and a last zero. A
  // menu whose name no longer fits is left off the bar.
  char strings[kMenuStringsCapacity];
  std::size_t used = services_.strings.Load(IDS_MI_MARVELLA, strings, sizeof strings - 1) + 1;
  unsigned menus = 0;
  for (; menus < bookmarks_.MenuCount(); ++menus) {
    const char* name = bookmarks_.Menu(menus)->name;
    std::size_t length = std::strlen(name) + 1;
    if (used + length + 1 > sizeof strings) break;
    std::memcpy(strings + used, name, length);
    used += length;
  }
  strings[used] = '\0';

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

LRESULT MenuBar::OnNotify(NMHDR* header, BarWindow&) {
  if (header->code != TTN_NEEDTEXTA) return 0;
  if (header->idFrom == 10)
    TooltipString(header, services_.module, IDS_MI_MARVELLA_TIP);
  else
    TooltipText(header, nullptr);
  return 0;
}

void MenuBar::OnDocumentComplete(const char*) {
  bookmarks_.Refresh();
  tokens_.Refresh();
}

}  // namespace marvella
