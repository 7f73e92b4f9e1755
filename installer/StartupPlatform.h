// What the installer's start-up needs from the system: Win32 in the program, a recorder in
// tests.
#pragma once

#include <string>

#include "common/MessageSink.h"
#include "common/ProfileSource.h"

namespace marvella {

class StartupPlatform {
 public:
  virtual ~StartupPlatform() = default;

  // Step 1: three-dimensional dialogs and controls, OLE for this thread. Failures are
  // not reported.
  virtual void PrepareUserInterface() = 0;

  // Step 2: Windows Sockets 1.1; true when they started.
  virtual bool StartSockets() = 0;

  // The full path of the program's executable.
  virtual std::string ProgramPath() = 0;

  // The program's command line as the system gives it (program path first).
  virtual std::string CommandLine() = 0;

  // Opens the profile (INI) file at `path` for reading; it lives until the next call.
  virtual ProfileSource& OpenProfile(const std::string& path) = 0;

  // Where start-up's messages go (boxes without an owner).
  virtual MessageSink& Messages() = 0;
};

}  // namespace marvella
