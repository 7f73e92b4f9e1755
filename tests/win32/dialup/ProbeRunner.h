// Runs ras_probe.exe (or a copy of it) in a process of its own and reads what it wrote.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/win32/support/TestPrograms.h"

namespace marvella::test {

// Copies bin/ras_probe.exe to folder\name and, when version is not empty, tells Wine to
// run that copy as this Windows version (win95, win98, winme, nt40, win2k).
std::string PrepareProbe(const std::string& folder, const std::string& name,
                         const std::string& version = "");

// Runs probe with the commands (each quoted) and returns its output lines; empty when it
// did not finish within 60 s.
std::vector<std::string> RunProbe(const std::string& probe,
                                  const std::vector<std::string>& commands);

}  // namespace marvella::test
