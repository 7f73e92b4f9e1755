// Control helpers of the data pages.
#include "installer/win32/PageControls.h"

#include <vector>

#include "signup/win32/DialogText.h"

namespace marvella {

void SetItemTextIfDifferent(HWND dialog, int id, const std::string& text) {
  if (DialogItemText(dialog, id) != text) SetDlgItemTextA(dialog, id, text.c_str());
}

void AddListEntry(HWND dialog, int id, const char* text, LPARAM data) {
  LRESULT at = SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  if (at >= 0) SendDlgItemMessageA(dialog, id, CB_SETITEMDATA, static_cast<WPARAM>(at), data);
}

namespace {

std::string EntryText(HWND dialog, int id, int position) {
  LRESULT length =
      SendDlgItemMessageA(dialog, id, CB_GETLBTEXTLEN, static_cast<WPARAM>(position), 0);
  if (length < 0) return std::string();
  std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
  SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, static_cast<WPARAM>(position),
                      reinterpret_cast<LPARAM>(text.data()));
  text.back() = '\0';
  return std::string(text.data());
}

}  // namespace

int SelectedListPosition(HWND dialog, int id) {
  LRESULT at = SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
  return at < 0 ? -1 : static_cast<int>(at);
}

std::string SelectedListText(HWND dialog, int id) {
  int at = SelectedListPosition(dialog, id);
  return at < 0 ? std::string() : EntryText(dialog, id, at);
}

LPARAM SelectedListData(HWND dialog, int id, LPARAM none) {
  int at = SelectedListPosition(dialog, id);
  if (at < 0) return none;
  return static_cast<LPARAM>(
      SendDlgItemMessageA(dialog, id, CB_GETITEMDATA, static_cast<WPARAM>(at), 0));
}

void SelectListText(HWND dialog, int id, const std::string& text) {
  int count = static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCOUNT, 0, 0));
  int found = -1;
  for (int i = 0; i < count && found < 0; ++i)
    if (EntryText(dialog, id, i) == text) found = i;
  SelectListPosition(dialog, id, found);
}

void SelectListPosition(HWND dialog, int id, int position) {
  if (SelectedListPosition(dialog, id) != position)
    SendDlgItemMessageA(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
}

bool IsChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

void SetChecked(HWND dialog, int id, bool checked) {
  CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

}  // namespace marvella
