// Small helpers the data pages use to move values in and out of their edit boxes, lists
// and buttons.
#pragma once

#include <windows.h>

#include <string>

namespace marvella {

// Sets a control's text only when it differs, so a caret in a box being typed into stays
// where it is and no change notification goes out for nothing.
void SetItemTextIfDifferent(HWND dialog, int id, const std::string& text);

// Appends an entry with its item data to a drop-down list.
void AddListEntry(HWND dialog, int id, const char* text, LPARAM data);
// The text of the selected entry; "" when none is selected.
std::string SelectedListText(HWND dialog, int id);
// The selected position and its item data; -1 and `none` when none is selected.
int SelectedListPosition(HWND dialog, int id);
LPARAM SelectedListData(HWND dialog, int id, LPARAM none);
// Selects the first entry whose text equals `text` exactly; none when there is none.
void SelectListText(HWND dialog, int id, const std::string& text);
// Selects a position (-1 or a position past the end: none).
void SelectListPosition(HWND dialog, int id, int position);

bool IsChecked(HWND dialog, int id);
void SetChecked(HWND dialog, int id, bool checked);

}  // namespace marvella
