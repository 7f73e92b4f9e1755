// The test browser's journal: one line per thing it was asked or did, for tests to read.
#pragma once

#include <windows.h>

#include <string>

namespace testbrowser {

// Opens (creates, appends to) the journal; an empty path journals nothing.
void OpenLog(const std::string& path);

// Appends one line (CR LF added), whole, from any thread, and flushes it.
void Log(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Text in the journal's code page (1252); URLs and class names come in as UTF-16.
std::string Narrow(const wchar_t* text);
std::wstring Widen(const std::string& text);

// Microseconds since the program started, for the timings in the journal.
long long Microseconds();

// "{XXXXXXXX-...}" of a class or interface identifier.
std::string GuidText(REFGUID guid);

}  // namespace testbrowser
