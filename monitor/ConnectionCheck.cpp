// One pass over the machine's connections.
#include "monitor/ConnectionCheck.h"

namespace marvella {

bool IsAnyConnectionUp(ConnectionSource& source) {
  RASCONNA connections[kMaxConnections] = {};
  connections[0].dwSize = sizeof(RASCONNA);
  std::uint32_t size = sizeof connections;
  std::uint32_t count = 0;
  if (source.RasEnumConnections(connections, &size, &count) != 0) return false;
  // The array holds what it holds, whatever count the system reports.
  if (count > kMaxConnections) count = kMaxConnections;
  for (std::uint32_t i = 0; i < count; ++i) {
    if (connections[i].hrasconn == 0) continue;
    RASCONNSTATUSA status = {};
    status.dwSize = sizeof status;
    if (source.RasGetConnectStatus(connections[i].hrasconn, &status) == 0 &&
        status.rasconnstate == kRasConnected)
      return true;
  }
  return false;
}

}  // namespace marvella
