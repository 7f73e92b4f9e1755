// Whether dial-up networking is configured: the service's registry key for this version of
// Windows, and a remote-access library that answers.
#pragma once

#include <cstdint>

#include "dialup/RasOperations.h"

namespace marvella {

// Platform identifiers of the version record (dwPlatformId).
constexpr std::uint32_t kPlatformWin32Windows = 1;
constexpr std::uint32_t kPlatformWin32Nt = 2;

// The key below HKEY_LOCAL_MACHINE whose presence says remote access is set up:
// Windows 95 (4.0 to 4.8) keeps it under the network provider, Windows 98 (4.10), Me
// (4.90) and NT keep the service key itself. Null for any other platform, where remote
// access counts as missing.
const char* RemoteAccessKeyFor(std::uint32_t platformId, std::uint32_t major, std::uint32_t minor);

// The library's half of the check: its device size query answers anything but the
// binding's "missing" value (the system answers 603, buffer too small).
bool RemoteAccessAnswers(RasOperations& ras);

}  // namespace marvella
