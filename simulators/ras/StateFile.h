// Where the service keeps its state, and the only way to touch it: open the file alone,
// read, change, write back. Every process of a test (the program under test, the dialler
// stand-ins, the test itself) goes through here, so their calls never interleave.
#pragma once

#include <functional>
#include <string>

#include "simulators/ras/SimState.h"

namespace marvella::rassim {

// The environment variable that names the state file (a Windows path). Each test sets its
// own, so tests running side by side in one Wine prefix never share a service.
constexpr char kStateVariable[] = "MARVELLA_RAS_STATE";

// MARVELLA_RAS_STATE, or "marvella-ras-state.txt" in the Windows directory.
std::string StatePath();

// Runs change on the state under the file's lock and writes the result back. False (and
// change not run) when the file could not be opened within 20 s.
bool UpdateState(const std::function<void(SimState&)>& change);

// The state as it is now (under the lock). False when the file could not be opened.
bool ReadState(SimState& state);

// Replaces the file's content with text (a scenario), under the lock.
bool WriteStateText(const std::string& text);

}  // namespace marvella::rassim
