// Programs a Win32 test starts beside itself (probes, the monitor, dialler stand-ins):
// where they are, the Windows version Wine shows them, and the lines they leave in a file.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace marvella::test {

// The folder of the running test program (bin/), with a trailing backslash.
std::string BinDir();

// Tells Wine to run every program of this file name (any folder) as this Windows version
// (win95, win98, winme, nt40, win2k). Keyed by file name: tests that share a name share
// the version.
void RunAsWindowsVersion(const std::string& programName, const std::string& version);

// Copies a file, trying again for a while when it fails: under a loaded Wine another test
// process may hold the source open for a moment. False when it never succeeded.
bool CopyTo(const std::string& from, const std::string& to);

// Starts a program with this command line (the program's path quoted first) in folder
// (null: this process's). Returns the process handle to wait on and close; null when it
// did not start.
HANDLE StartProgram(const std::string& program, std::string commandLine, const char* folder);

// The lines of a text file, without their line breaks: only whole ones (ended by a line
// feed), so a line another process is still writing is not taken. Empty when the file
// cannot be read.
std::vector<std::string> ReadWholeLines(const std::string& path);

}  // namespace marvella::test
