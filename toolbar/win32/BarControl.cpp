// The controls' base and the routines they share.
#include "toolbar/win32/BarControl.h"

namespace marvella {

static_assert(sizeof(void*) != 4 || sizeof(TBBUTTON) == 20, "the button record of the oldest common controls");

HWND CreateToolbar(HWND parent, int x, int imageWidth, int imageHeight, HIMAGELIST normal,
                   HIMAGELIST hot, const char* strings, int count, const TBBUTTON* buttons) {
  INITCOMMONCONTROLSEX init = {sizeof init, ICC_BAR_CLASSES};
  InitCommonControlsEx(&init);
  HWND toolbar = CreateWindowExA(
      0, TOOLBARCLASSNAMEA, nullptr,
      WS_CHILD | WS_VISIBLE | TBSTYLE_LIST | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NODIVIDER |
          CCS_NOPARENTALIGN | CCS_NORESIZE,
      x, 0, 0, 0, parent, nullptr, reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)),
      nullptr);
  if (!toolbar) return nullptr;
  SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageA(toolbar, TB_SETMAXTEXTROWS, 1, 0);
  SendMessageA(toolbar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
  SendMessageA(toolbar, TB_SETBITMAPSIZE, 0, MAKELPARAM(imageWidth, imageHeight));
  // The lists stay the caller's: the toolbar only shows them.
  if (normal) SendMessageA(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(normal));
  if (hot) SendMessageA(toolbar, TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(hot));
  static const char kNoStrings[2] = {0, 0};
  if (SendMessageA(toolbar, TB_ADDSTRINGA, 0,
                   reinterpret_cast<LPARAM>(strings ? strings : kNoStrings)) == -1 ||
      !SendMessageA(toolbar, TB_ADDBUTTONSA, count, reinterpret_cast<LPARAM>(buttons))) {
    OwnedWindow unfinished(toolbar);  // goes without its buttons
    return nullptr;
  }
  SendMessageA(toolbar, TB_AUTOSIZE, 0, 0);
  return toolbar;
}

BarSize MeasureButtons(HWND toolbar) {
  BarSize size;
  int count = static_cast<int>(SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    DWORD button = static_cast<DWORD>(SendMessageA(toolbar, TB_GETBUTTONSIZE, 0, 0));
    size.width += LOWORD(button);
    if (HIWORD(button) > size.height) size.height = HIWORD(button);
  }
  return size;
}

BarSize MaxSize(HWND toolbar) {
  SIZE max = {0, 0};
  SendMessageA(toolbar, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&max));
  return {static_cast<int>(max.cx), static_cast<int>(max.cy)};
}

int ShowPopup(HWND toolbar, HMENU menu, int command) {
  RECT button = {0, 0, 0, 0};
  SendMessageA(toolbar, TB_GETRECT, command, reinterpret_cast<LPARAM>(&button));
  MapWindowPoints(toolbar, HWND_DESKTOP, reinterpret_cast<POINT*>(&button), 2);
  TPMPARAMS clear = {sizeof clear, button};
  OwnedMenu popup(menu);
  return TrackPopupMenuEx(popup.Get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_VERTICAL, button.left,
                          button.bottom, toolbar, &clear);
}

HIMAGELIST LoadImages(HINSTANCE module, int width, int height, int count, unsigned bitmap,
                      unsigned mask) {
  OwnedImageList images(ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, count, 0));
  if (!images) return nullptr;
  // The list copies the pictures: they go on the way out.
  OwnedGdi<HBITMAP> picture(LoadBitmapA(module, MAKEINTRESOURCEA(bitmap)));
  OwnedGdi<HBITMAP> maskPicture(mask ? LoadBitmapA(module, MAKEINTRESOURCEA(mask)) : nullptr);
  int added = -1;
  if (picture && (maskPicture || !mask))
    added = mask ? ImageList_Add(images.Get(), picture.Get(), maskPicture.Get())
                 : ImageList_AddMasked(images.Get(), picture.Get(), RGB(255, 255, 255));
  return added < 0 ? nullptr : images.Release();
}

TBBUTTON Button(int image, int command, BYTE style, INT_PTR string) {
  TBBUTTON button = {};
  button.iBitmap = image;
  button.idCommand = command;
  button.fsState = TBSTATE_ENABLED;
  button.fsStyle = static_cast<BYTE>(style | TBSTYLE_AUTOSIZE);
  button.iString = string;
  return button;
}

TBBUTTON Separator(int command) {
  TBBUTTON button = {};
  button.idCommand = command;
  button.fsStyle = TBSTYLE_SEP;
  return button;
}

BarControl::~BarControl() = default;

void BarControl::Destroy() {
  toolbar_.Reset();
  tooltip_ = nullptr;
  // The lists go with the window that showed them: a new site builds the control anew.
  normal_.Reset();
  hot_.Reset();
}

bool BarControl::OwnsWindow(HWND window) {
  return window && (window == toolbar_.Get() || window == tooltip_);
}

LRESULT BarControl::OnCommand(int, WPARAM, HWND, BarWindow&) { return 0; }
LRESULT BarControl::OnNotify(NMHDR*, BarWindow&) { return 0; }
void BarControl::OnDocumentComplete(const char*) {}
void BarControl::Refresh() {}

void BarControl::Move(int x) {
  if (toolbar_) MoveWindow(toolbar_.Get(), x, 0, size_.width, size_.height, TRUE);
}

void BarControl::Show(bool show) {
  if (toolbar_) ShowWindow(toolbar_.Get(), show ? SW_SHOW : SW_HIDE);
}

void BarControl::SysColorChange() {
  if (toolbar_) SendMessageA(toolbar_.Get(), WM_SYSCOLORCHANGE, 0, 0);
}

bool BarControl::Build(HWND parent, int x, int imageWidth, int imageHeight, const char* strings,
                       int count, const TBBUTTON* buttons) {
  toolbar_.Reset(CreateToolbar(parent, x, imageWidth, imageHeight, normal_.Get(), hot_.Get(),
                               strings, count, buttons));
  // Not TB_GETTOOLTIPS: asking makes the toolbar build its tooltip window now, the
  // costliest part of a control, where it would otherwise wait for the first hover.
  return static_cast<bool>(toolbar_);
}

void BarControl::LeaveOffTextRoom(int room) {
  int laidOut = MaxSize(toolbar_.Get()).width;
  size_.width = size_.width - room > laidOut ? size_.width - room : laidOut;
}

void BarControl::TooltipString(NMHDR* header, HINSTANCE module, unsigned id) {
  if (header->code != TTN_NEEDTEXTA) return;
  NMTTDISPINFOA* info = reinterpret_cast<NMTTDISPINFOA*>(header);
  info->hinst = module;
  info->lpszText = MAKEINTRESOURCEA(id);
}

void BarControl::TooltipText(NMHDR* header, const char* text) {
  if (header->code != TTN_NEEDTEXTA) return;
  NMTTDISPINFOA* info = reinterpret_cast<NMTTDISPINFOA*>(header);
  info->hinst = nullptr;
  info->lpszText = const_cast<char*>(text ? text : "");
}

}  // namespace marvella
