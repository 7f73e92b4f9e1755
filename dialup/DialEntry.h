// Phonebook entries of the kit: the temporary sign-up entry and the user's own entry.
#pragma once

#include <cstdint>

#include "dialup/RasOperations.h"

namespace marvella {

// One phonebook entry's settings. Each is set by its name (the type has no positional
// brace form), so two texts of a kind, the name servers or the device type and name,
// cannot change places unnoticed. Null texts count as empty.
struct DialEntrySettings {
  DialEntrySettings() {}  // user-provided: keeps `{"a", "b", ...}` from compiling

  const char* entryName = nullptr;
  const char* phoneNumber = nullptr;  // dialled as it stands
  const char* userName = nullptr;
  const char* password = nullptr;
  const char* primaryDns = nullptr;  // dotted texts, may be empty
  const char* secondaryDns = nullptr;
  const char* deviceType = nullptr;  // as the adapter list gives them
  const char* deviceName = nullptr;
};

// Writes (or overwrites) the entry in the default phonebook: PPP over the given device,
// TCP/IP only, the two name servers, header compression, default gateway on the remote
// network, the phone number dialled as it stands; then stores the user name and password
// as its dial parameters and as its credentials. Texts longer than their fields are cut
// (entry name 256, number 128, device type 16, device name 128, user name 256, password
// 256). Returns true when the entry itself was written; the stored credentials are not
// checked (systems without RasSetCredentials skip that step).
bool CreateDialEntry(RasOperations& ras, const DialEntrySettings& settings);

// Removes entryName (cut as above) from the default phonebook. Returns the system's result,
// 0 when it was deleted; callers may ignore it.
std::uint32_t DeleteDialEntry(RasOperations& ras, const char* entryName);

}  // namespace marvella
