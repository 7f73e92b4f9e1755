// Finding and answering windows from a test: message boxes, dialogs, controls.
// GUI tests run the code under test on one thread and drive it from another.
#pragma once

#include <windows.h>

#include <string>

namespace marvella::test {

// Waits up to timeoutMs for a visible top-level window of this process with the given
// class ("#32770" for dialogs and message boxes) and, when title is not null, this title.
HWND WaitForWindow(const char* className, const char* title, DWORD timeoutMs);

// Waits up to timeoutMs for a visible dialog or message box ("#32770") of another process,
// other than `except` (the box just answered, say). Null when none showed.
HWND WaitForProcessDialog(DWORD processId, HWND except, DWORD timeoutMs);

// The text of a window or of its child with this control identifier.
std::string WindowText(HWND window);
std::string ControlText(HWND dialog, int controlId);

// The text of a message box: its static control with the message (identifier 0xFFFF).
std::string MessageBoxText(HWND box);

// Presses a button of a dialog by its identifier (IDOK, IDCANCEL, ...) and waits for it
// to be handled.
void PressButton(HWND dialog, int controlId);

}  // namespace marvella::test
