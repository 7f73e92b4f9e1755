// What the system's diallers do once the user presses "Conectar": dial the entry with its
// saved logon, through the remote-access service. The stand-ins dial at once.
#pragma once

#include <string>

namespace marvella::rassim {

// Journals the program and its command line, then dials entry (if not empty) and leaves
// the connection up; a failed call is hung up, as the dialler would.
void RunStandInDialler(const char* program, const char* commandLine, const std::string& entry);

}  // namespace marvella::rassim
