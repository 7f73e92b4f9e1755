// Pictures of what is on the screen, for people to look at after a run under Wine: the test
// browser's screenshot command and the window tests' screenshots.
#pragma once

#include <windows.h>

#include <string>

namespace marvella::simulators {

// Writes the screen's pixels inside `area` (screen coordinates) as a 24-bit BMP to `path`.
// False when the area is empty or the file cannot be written.
bool SaveScreenBitmap(const RECT& area, const char* path);

// A host path as Wine opens it: "/x/y" becomes "Z:\x\y" (Wine maps the host's root to drive
// Z:); null gives "".
std::string WinePath(const char* unixPath);

}  // namespace marvella::simulators
