// Run-time binding of rasapi32.dll: the installer must start, and show its wizard, on
// machines where dial-up networking is missing or incomplete, so it never imports it.
#pragma once

#include <windows.h>

#include "common/Sleeper.h"
#include "dialup/RasOperations.h"

namespace marvella {

// A scope object around a group of remote-access calls. The first construction in the
// process loads rasapi32.dll from the system directory (never by bare name: the folder of
// a downloaded installer is not trusted); a failed load is retried by the next one. The
// module stays loaded until the process ends. Every operation looks its entry point up
// anew and returns the fixed "missing" value of RasOperations.h when it is absent.
// Safe to use from several threads.
class RasLibrary final : public RasOperations {
 public:
  // sleeper spends the 2000 ms that follow a hang-up.
  explicit RasLibrary(Sleeper& sleeper);

  // The loaded module, or null (for diagnostics and tests).
  static HMODULE Module();

  std::uint32_t RasEnumDevices(RASDEVINFOA* devices, std::uint32_t* size,
                               std::uint32_t* count) override;
  std::uint32_t RasValidateEntryName(const char* phonebook, const char* entry) override;
  std::uint32_t RasSetEntryProperties(const char* phonebook, const char* entry, RASENTRYA* record,
                                      std::uint32_t recordSize, std::uint8_t* deviceInfo,
                                      std::uint32_t deviceInfoSize) override;
  std::uint32_t RasSetEntryDialParams(const char* phonebook, RASDIALPARAMSA* params,
                                      bool removePassword) override;
  std::uint32_t RasSetCredentials(const char* phonebook, const char* entry,
                                  RASCREDENTIALSA* credentials, bool clear) override;
  std::uint32_t RasDeleteEntry(const char* phonebook, const char* entry) override;
  std::uint32_t RasDial(void* extensions, const char* phonebook, RASDIALPARAMSA* params,
                        std::uint32_t notifierType, void* notifier,
                        RasConnHandle* connection) override;
  std::uint32_t RasGetConnectStatus(RasConnHandle connection, RASCONNSTATUSA* status) override;
  std::uint32_t RasGetErrorString(std::uint32_t code, char* buffer, std::uint32_t size) override;
  std::uint32_t RasHangUp(RasConnHandle connection) override;

 private:
  Sleeper& sleeper_;
};

// Sleeps for real; for callers that have no waits of their own to record.
class SystemSleeper final : public Sleeper {
 public:
  void Sleep(unsigned milliseconds) override { ::Sleep(milliseconds); }
};

}  // namespace marvella
