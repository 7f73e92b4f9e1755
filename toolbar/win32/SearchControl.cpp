// The search box: its windows, the keyboard hook that gives it Enter and Backspace before
// the browser's message loop takes them, the edit filter, and the searches.
#include "toolbar/BarTexts.h"
#include "toolbar/CommandRules.h"
#include "toolbar/LinkRules.h"
#include "toolbar/MenuModels.h"
#include "toolbar/SearchQuery.h"
#include "toolbar/win32/BarControls.h"
#include "toolbar/win32/BarWindow.h"
#include "toolbar/win32/MenuBuilder.h"

namespace marvella {

namespace {

constexpr int kEditWidth = 100;
constexpr int kSearchArrowRoom = 20;

// Process-wide: each thread's hook finds its box here; every edit has the same class
// procedure, so one variable keeps the one the filter replaced.
KeyboardHookTable g_hooks;
WNDPROC g_editProcedure = nullptr;

LRESULT CALLBACK KeyboardHook(int code, WPARAM key, LPARAM data) {
  SearchControl* box = static_cast<SearchControl*>(g_hooks.Find(GetCurrentThreadId()));
  if (!box) return CallNextHookEx(nullptr, code, key, data);
  return box->OnKey(code, key, data);
}

// Characters typed into the box keep the focus there, even when the browser's loop moved it.
LRESULT CALLBACK EditFilter(HWND edit, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message != WM_CHAR) return CallWindowProcA(g_editProcedure, edit, message, wparam, lparam);
  CallWindowProcA(g_editProcedure, edit, message, wparam, lparam);
  if (GetFocus() != edit) SetFocus(edit);
  return 0;
}

constexpr LPARAM kPreviouslyDown = LPARAM(1) << 30;
constexpr LPARAM kGoingUp = LPARAM(1) << 31;

}  // namespace

SearchControl::~SearchControl() { SearchControl::Destroy(); }

bool SearchControl::Create(HWND parent, int x) {
  char label[64];
  std::size_t length = services_.strings.Load(IDS_SEARCH_BUTTON, label, sizeof label - 1);
  label[length + 1] = '\0';  // the list ends with a second zero
  TBBUTTON button = Button(0, 0, TBSTYLE_DROPDOWN, 0);
  if (!Build(parent, x + kEditWidth + 1, 0, 18, label, 1, &button)) return false;
  button_ = MaxSize(Toolbar());
  button_.width += kSearchArrowRoom;
  editHeight_ = button_.height - 4;
  edit_.Reset(CreateWindowExA(0, "EDIT", nullptr,
                              WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, x, 2,
                              kEditWidth, editHeight_, parent, nullptr, services_.module, nullptr));
  if (!edit_) {
    Destroy();
    return false;
  }
  size_ = {button_.width + kEditWidth, button_.height};
  // 64 boxes on the threads of one process at most: the 65th toolbar is not inserted.
  hookEntry_ = g_hooks.Take(GetCurrentThreadId(), this);
  if (hookEntry_ >= 0)
    hook_.Reset(SetWindowsHookExA(WH_KEYBOARD, KeyboardHook, nullptr, GetCurrentThreadId()));
  if (!hook_) {
    Destroy();
    return false;
  }
  WNDPROC replaced = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(Edit(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditFilter)));
  if (replaced != &EditFilter) g_editProcedure = replaced;
  return true;
}

void SearchControl::Destroy() {
  hook_.Reset();
  g_hooks.Release(hookEntry_);
  hookEntry_ = -1;
  edit_.Reset();
  BarControl::Destroy();
}

bool SearchControl::OwnsWindow(HWND window) {
  return window && (window == Edit() || BarControl::OwnsWindow(window));
}

LRESULT SearchControl::OnKey(int code, WPARAM key, LPARAM data) {
  if (code < 0 || code == HC_NOREMOVE || !edit_ || GetFocus() != Edit())
    return CallNextHookEx(hook_.Get(), code, key, data);
  if (key == VK_RETURN) {
    // The press is shown at once; the search runs once, at the release; repeats go.
    bool previouslyDown = (data & kPreviouslyDown) != 0;
    bool goingUp = (data & kGoingUp) != 0;
    if (!previouslyDown && !goingUp) {
      SendMessageA(Toolbar(), TB_PRESSBUTTON, 0, MAKELONG(TRUE, 0));
    } else if (previouslyDown && goingUp) {
      SendMessageA(Toolbar(), TB_PRESSBUTTON, 0, MAKELONG(FALSE, 0));
      SendMessageA(GetParent(Toolbar()), WM_COMMAND, 0, reinterpret_cast<LPARAM>(Toolbar()));
    }
    return 1;
  }
  if (key == VK_BACK) {
    // The browser would go back a page: the box gets the character instead.
    MSG message = {};
    message.hwnd = Edit();
    message.message = (data & kGoingUp) ? WM_KEYUP : WM_KEYDOWN;
    message.wParam = VK_BACK;
    message.lParam = data;
    TranslateMessage(&message);
    return 1;
  }
  return CallNextHookEx(hook_.Get(), code, key, data);
}

LRESULT SearchControl::OnCommand(int code, WPARAM wparam, HWND, BarWindow& bar) {
  if (code != 0 || LOWORD(wparam) != 0) return 0;
  SearchEngineTable engines;
  services_.tables.CopySearchEngines(&engines);
  Search(engines.slots[0].url, bar);  // "Buscar" and Enter: the first engine
  return 0;
}

LRESULT SearchControl::OnNotify(NMHDR* header, BarWindow& bar) {
  if (header->code == TBN_DROPDOWN) {
    // The engines' popup; the choice searches once and is not remembered.
    SearchEngineTable engines;
    services_.tables.CopySearchEngines(&engines);
    int slot = SearchEngineSlotFor(
        static_cast<unsigned>(ShowPopup(Toolbar(), CreateSearchEnginePopup(engines), 0)));
    if (slot >= 0) Search(engines.slots[slot].url, bar);
    return TBDDRET_DEFAULT;
  }
  TooltipText(header, nullptr);
  return 0;
}

void SearchControl::Search(const char* templ, BarWindow& bar) {
  if (!edit_) return;
  char text[kSearchTextCapacity];
  if (GetWindowTextA(Edit(), text, sizeof text) <= 0) return;
  char escaped[kEscapedQueryCapacity];
  EscapeQuery(text, escaped, sizeof escaped);
  char url[kSearchUrlCapacity];
  FormatSearchUrl(templ, escaped, url, sizeof url);
  if (MayOpen(url, LinkUse::kPage)) bar.Navigate(url);
  if (edit_) SetWindowTextA(Edit(), "");
}

void SearchControl::Move(int x) {
  if (edit_) MoveWindow(Edit(), x, 2, kEditWidth, editHeight_, TRUE);
  if (Toolbar())
    MoveWindow(Toolbar(), x + kEditWidth + 1, 0, button_.width, button_.height, TRUE);
}

void SearchControl::Show(bool show) {
  if (edit_) ShowWindow(Edit(), show ? SW_SHOW : SW_HIDE);
  BarControl::Show(show);
}

}  // namespace marvella
