// Phonebook entries of the kit: the temporary sign-up entry and the user's own entry.
#pragma once

#include <cstdint>

#include "dialup/RasOperations.h"

namespace marvella {

// Writes (or overwrites) entryName in the default phonebook: PPP over the given device,
// TCP/IP only, the two name servers (dotted texts, may be empty), header compression,
// default gateway on the remote network, phoneNumber dialled as it stands; then stores
// userName and password as its dial parameters and as its credentials. Texts longer than
// their fields are cut (entry name 256, number 128, device type 16, device name 128, user
// name 256, password 256). Returns true when the entry itself was written; the stored
// credentials are not checked (systems without RasSetCredentials skip that step).
bool CreateDialEntry(RasOperations& ras, const char* entryName, const char* phoneNumber,
                     const char* userName, const char* password, const char* primaryDns,
                     const char* secondaryDns, const char* deviceType, const char* deviceName);

// Removes entryName (cut as above) from the default phonebook. Returns the system's result,
// 0 when it was deleted; callers may ignore it.
std::uint32_t DeleteDialEntry(RasOperations& ras, const char* entryName);

}  // namespace marvella
