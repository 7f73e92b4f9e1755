// Per-test state files: tests running side by side in one Wine prefix share nothing.
#include "simulators/ras/RasSimulatorSession.h"

#include <windows.h>

#include <cstdio>

#include "simulators/ras/StateFile.h"

namespace marvella::rassim {

RasSimulatorSession::RasSimulatorSession(const std::string& scenario) {
  static LONG counter = 0;
  char temp[MAX_PATH];
  DWORD n = GetTempPathA(MAX_PATH, temp);
  if (n == 0 || n >= MAX_PATH) lstrcpyA(temp, "C:\\");
  char name[64];
  std::snprintf(name, sizeof name, "marvella-ras-%lu-%lu-%ld",
                static_cast<unsigned long>(GetCurrentProcessId()),
                static_cast<unsigned long>(GetTickCount()), InterlockedIncrement(&counter));
  folder_ = std::string(temp) + name;
  CreateDirectoryA(folder_.c_str(), nullptr);
  stateFile_ = folder_ + "\\ras-state.txt";
  SetEnvironmentVariableA(kStateVariable, stateFile_.c_str());
  Write(scenario);
}

namespace {

void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      std::string path = folder + "\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(path);
      else
        DeleteFileA(path.c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(folder.c_str());
}

}  // namespace

RasSimulatorSession::~RasSimulatorSession() {
  if (GetEnvironmentVariableA("MARVELLA_KEEP_RAS_STATE", nullptr, 0) == 0) RemoveTree(folder_);
}

void RasSimulatorSession::Write(const std::string& scenario) const {
  SetEnvironmentVariableA(kStateVariable, stateFile_.c_str());
  WriteStateText(scenario);
}

void RasSimulatorSession::Change(const std::function<void(SimState&)>& change) const {
  SetEnvironmentVariableA(kStateVariable, stateFile_.c_str());
  UpdateState(change);
}

SimState RasSimulatorSession::State() const {
  SetEnvironmentVariableA(kStateVariable, stateFile_.c_str());
  SimState state;
  ReadState(state);
  return state;
}

std::vector<JournalRecord> RasSimulatorSession::Calls(const std::string& function) const {
  std::vector<JournalRecord> calls;
  for (const std::string& line : State().journal) {
    JournalRecord record = JournalRecord::Parse(line);
    if (function.empty() || record.function == function) calls.push_back(record);
  }
  return calls;
}

}  // namespace marvella::rassim
