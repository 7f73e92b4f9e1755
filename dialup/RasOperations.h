// The ten remote-access operations the installer uses, in their ANSI forms and with the
// system's own arguments and results. Windows binds them to rasapi32.dll at run time
// (dialup/win32/RasLibrary.h); tests record them. Phonebook arguments are always null: the
// kit only uses the system's default phonebook. (The SDK's <ras.h> defines these names as
// macros: do not include both in one file.)
#pragma once

#include <cstdint>

#include "dialup/RasTypes.h"

namespace marvella {

class RasOperations {
 public:
  virtual ~RasOperations() = default;

  // Each operation passes its arguments through and returns the system's result. When the
  // library or the entry point is missing it calls nothing and returns the fixed value
  // named after it below.
  virtual std::uint32_t RasEnumDevices(RASDEVINFOA* devices, std::uint32_t* size,
                                       std::uint32_t* count) = 0;
  virtual std::uint32_t RasValidateEntryName(const char* phonebook, const char* entry) = 0;
  virtual std::uint32_t RasSetEntryProperties(const char* phonebook, const char* entry,
                                              RASENTRYA* record, std::uint32_t recordSize,
                                              std::uint8_t* deviceInfo,
                                              std::uint32_t deviceInfoSize) = 0;
  virtual std::uint32_t RasSetEntryDialParams(const char* phonebook, RASDIALPARAMSA* params,
                                              bool removePassword) = 0;
  virtual std::uint32_t RasSetCredentials(const char* phonebook, const char* entry,
                                          RASCREDENTIALSA* credentials, bool clear) = 0;
  virtual std::uint32_t RasDeleteEntry(const char* phonebook, const char* entry) = 0;
  // Synchronous when notifier is null: returns once the call is up or has failed. The
  // system expects *connection to be 0 on entry and writes the new handle into it.
  virtual std::uint32_t RasDial(void* extensions, const char* phonebook, RASDIALPARAMSA* params,
                                std::uint32_t notifierType, void* notifier,
                                RasConnHandle* connection) = 0;
  virtual std::uint32_t RasGetConnectStatus(RasConnHandle connection, RASCONNSTATUSA* status) = 0;
  virtual std::uint32_t RasGetErrorString(std::uint32_t code, char* buffer, std::uint32_t size) = 0;
  // The binding waits 2000 ms after a hang-up that reached the system, so the line is
  // really free before anyone dials again.
  virtual std::uint32_t RasHangUp(RasConnHandle connection) = 0;
};

// What each operation answers when rasapi32.dll or its entry point is missing. These are
// the results the installer has always seen on such machines; callers rely on them (a 1
// from RasEnumDevices means "no remote access", a 0 from RasDial means "dialled").
constexpr std::uint32_t kMissingRasEnumDevices = 1;
constexpr std::uint32_t kMissingRasValidateEntryName = 1;
constexpr std::uint32_t kMissingRasSetEntryProperties = 1;
constexpr std::uint32_t kMissingRasSetEntryDialParams = 0;
constexpr std::uint32_t kMissingRasSetCredentials = 0;
constexpr std::uint32_t kMissingRasDeleteEntry = 0;
constexpr std::uint32_t kMissingRasDial = 0;
constexpr std::uint32_t kMissingRasGetConnectStatus = 0;
constexpr std::uint32_t kMissingRasGetErrorString = 0;
constexpr std::uint32_t kMissingRasHangUp = 0;

constexpr unsigned kHangUpSettleMs = 2000;

}  // namespace marvella
