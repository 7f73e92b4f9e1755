// The version-dependent remote-access key and the library's answer.
#include "dialup/RemoteAccessCheck.h"

namespace marvella {

const char* RemoteAccessKeyFor(std::uint32_t platformId, std::uint32_t major, std::uint32_t minor) {
  static const char kService[] = "system\\currentcontrolset\\services\\remoteaccess";
  static const char kProvider[] =
      "system\\currentcontrolset\\services\\remoteaccess\\networkprovider";
  if (platformId == kPlatformWin32Nt) return kService;
  if (platformId != kPlatformWin32Windows) return nullptr;
  if (major > 4 || (major == 4 && minor >= 9)) return kService;
  if (major == 4) return kProvider;
  return nullptr;
}

bool RemoteAccessAnswers(RasOperations& ras) {
  std::uint32_t size = 0;
  std::uint32_t count = 0;
  return ras.RasEnumDevices(nullptr, &size, &count) != kMissingRasEnumDevices;
}

}  // namespace marvella
