// Screenshots of windows under test, written where a person can look at them.
#pragma once

#include <windows.h>

#include <string>

#include "simulators/common/ScreenCapture.h"

namespace marvella::test {

// Captures the window (with its frame) into <screenshot dir>/<name>.bmp; the test run turns
// BMPs into PNGs afterwards. Returns the written path, or "" when it could not.
std::string SaveWindowScreenshot(HWND window, const char* name);

// Converts a Unix path from the environment (as ctest passes it) into one Wine opens.
using marvella::simulators::WinePath;

}  // namespace marvella::test
