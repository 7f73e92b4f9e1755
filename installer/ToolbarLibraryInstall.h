// The toolbar library's installation, run by start-up and again by Finish: tandem.dll from
// beside the installer is copied into the system directory and registered silently.
#pragma once

#include <string>

namespace marvella {

// What the installation needs of the system; Windows in install.exe, a fake in tests.
class ToolbarLibraryPlatform {
 public:
  virtual ~ToolbarLibraryPlatform() = default;
  // The running installer's full path.
  virtual std::string ProgramPath() = 0;
  // The system directory without a final "\"; empty when unknown.
  virtual std::string SystemDirectory() = 0;
  // Copies `from` over `to`, replacing an older file; true when copied.
  virtual bool CopyReplacing(const std::string& from, const std::string& to) = 0;
  // Leaves the archive attribute alone on the file (a copied read-only flag goes).
  virtual void SetArchiveOnly(const std::string& path) = 0;
  // True when the file can be opened for reading.
  virtual bool CanRead(const std::string& path) = 0;
  // Starts `program` with the shell's "open" and these parameters, shown normally, without
  // waiting for it; true when it started.
  virtual bool Start(const std::string& program, const std::string& parameters) = 0;
};

// Copies the library (a missing source leaves the copy already there) and, when the system
// directory holds a readable library and the registration tool, starts "regsvr32.exe" on it
// with " /s". True when the registration was started.
bool InstallToolbarLibrary(ToolbarLibraryPlatform& platform);

}  // namespace marvella
