// The dial-up operations as the installer's pages call them. Each one binds rasapi32.dll
// through a RasLibrary of its own; none shows anything except the Control-key listing of
// EnumerateDialDevices. All block the calling thread while the system works.
#pragma once

#include <windows.h>

#include <cstdint>

#include "common/ProgressSink.h"
#include "common/Sleeper.h"
#include "dialup/DialDevices.h"
#include "dialup/DialEntry.h"
#include "dialup/SignUpDial.h"

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

// See dialup/SignUpDial.h. progress is the calling page's progress box (it pumps messages
// after each line); sleeper spends the page's waits, the 2000 ms after a hang-up included.
DialResult DialSignUpEntry(RasConnHandle& connection, ProgressSink& progress, Sleeper& sleeper,
                           const DialCaller& caller, const SignUpEntrySettings& settings);

// RasHangUp, then 2000 ms through sleeper when the system was reached. Returns the system's
// result (0 at once when remote access is missing).
std::uint32_t HangUpConnection(RasConnHandle connection, Sleeper& sleeper);

// When connection is held: hang up, wait extraWaitMs more, set it to 0 (pages leaving,
// after a conversation; kResultsPageReleaseWaitMs / kUserTypePageReleaseWaitMs).
void ReleaseConnection(RasConnHandle& connection, Sleeper& sleeper, unsigned extraWaitMs);

}  // namespace marvella
