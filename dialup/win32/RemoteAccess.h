// The dial-up operations the installer calls outside a sign-up call (the pages dial through
// their models over a RasLibrary). Each one binds rasapi32.dll through a RasLibrary of its
// own; none shows anything except the Control-key listing of EnumerateDialDevices. All block
// the calling thread while the system works.
#pragma once

#include <windows.h>

#include <cstdint>

#include "common/ProgressSink.h"
#include "common/Sleeper.h"
#include "dialup/DialDevices.h"
#include "dialup/DialEntry.h"

namespace marvella {

// True when the remote-access key of this Windows version exists under HKEY_LOCAL_MACHINE
// and rasapi32.dll answers the adapter size query.
bool IsRemoteAccessInstalled();

// Refills list (see dialup/DialDevices.h). With Control held, first shows every adapter in
// a message box owned by owner, captioned title (MB_OK).
bool EnumerateDialDevices(DialDeviceList& list, bool modemsAndIsdnOnly, HWND owner,
                          const char* title);

// See dialup/DialEntry.h.
bool CreateDialEntry(const DialEntrySettings& settings);
std::uint32_t DeleteDialEntry(const char* entryName);

}  // namespace marvella
