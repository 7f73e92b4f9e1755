// The monitor's one question: is any dial-up connection of the machine up?
#pragma once

#include <cstdint>

#include "dialup/RasTypes.h"

namespace marvella {

// The two remote-access calls the monitor makes (rasapi32.dll, imported directly).
class ConnectionSource {
 public:
  virtual ~ConnectionSource() = default;
  virtual std::uint32_t RasEnumConnections(RASCONNA* connections, std::uint32_t* size,
                                           std::uint32_t* count) = 0;
  virtual std::uint32_t RasGetConnectStatus(RasConnHandle connection, RASCONNSTATUSA* status) = 0;
};

// Up to this many connections are looked at.
constexpr std::uint32_t kMaxConnections = 128;

// True when at least one connection reports RASCS_Connected; any connection counts, not
// only the entry the monitor had dialled. Failures of either call count as "not up".
bool IsAnyConnectionUp(ConnectionSource& source);

}  // namespace marvella
