// One test's own simulated remote-access service: a fresh folder holding the state file,
// named in MARVELLA_RAS_STATE for this process and every program it starts afterwards.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "simulators/ras/SimState.h"

namespace marvella::rassim {

class RasSimulatorSession {
 public:
  // scenario: the initial state file text (README.md); "" is the fresh service.
  explicit RasSimulatorSession(const std::string& scenario = "");
  // Removes the folder and all in it, unless MARVELLA_KEEP_RAS_STATE is set (to look at
  // a failed test's state afterwards). Programs started in it must have ended.
  ~RasSimulatorSession();
  RasSimulatorSession(const RasSimulatorSession&) = delete;
  RasSimulatorSession& operator=(const RasSimulatorSession&) = delete;

  const std::string& Folder() const { return folder_; }
  const std::string& StateFile() const { return stateFile_; }

  void Write(const std::string& scenario) const;
  void Change(const std::function<void(SimState&)>& change) const;
  SimState State() const;
  // The journal, or only the records of one function or program.
  std::vector<JournalRecord> Calls(const std::string& function = "") const;

 private:
  std::string folder_;
  std::string stateFile_;
};

}  // namespace marvella::rassim
