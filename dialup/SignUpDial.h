// Going on line for the user-server conversations: the temporary sign-up entry is deleted,
// written afresh and dialled synchronously, with progress lines in the calling page.
#pragma once

#include <cstdint>

#include "common/ProgressSink.h"
#include "common/Sleeper.h"
#include "dialup/RasOperations.h"

namespace marvella {

enum class DialResult { kFailed, kNotConnected, kConnected };

// How a page treats the connection it still holds when it dials again: hang up, wait
// extraWaitMs more, and whether it forgets the handle.
struct DialCaller {
  unsigned extraWaitMs;
  bool clearHandle;
};
// Results page, "&Crear cuenta".
constexpr DialCaller kResultsPageCaller{2500, true};
// User-type page, "&Obtener datos".
constexpr DialCaller kUserTypePageCaller{0, false};

// Extra waits after hanging up when a page is done with its connection.
constexpr unsigned kResultsPageReleaseWaitMs = 2500;
constexpr unsigned kUserTypePageReleaseWaitMs = 2000;

// The sign-up entry as install.ini and the hardware page define it, each setting by its
// name (no positional brace form). Null texts count as empty.
struct SignUpEntrySettings {
  SignUpEntrySettings() {}  // user-provided: keeps `{"a", "b", ...}` from compiling

  const char* entryName = nullptr;     // ProfileName
  const char* dialPrefix = nullptr;    // "Prefijo:", empty or a digit
  const char* accessNumber = nullptr;  // DialUp_PhoneNumber or the chosen access node's number
  const char* userName = nullptr;      // DialUp_Username
  const char* password = nullptr;      // DialUp_Password
  const char* primaryDns = nullptr;    // DialUp_DNS1
  const char* secondaryDns = nullptr;  // DialUp_DNS2
  const char* deviceType = nullptr;    // the adapter chosen on the hardware page
  const char* deviceName = nullptr;
  bool alreadyConnected = false;  // "Ahora estoy conectado a Internet"
};

// Dials the sign-up entry. A held connection is first hung up as caller says. The entry is
// deleted and re-created even when the machine is already on line (then nothing is
// dialled). Progress: "Llamando al <prefix+number>" or "Abriendo conexión con host
// remoto...", then either the system's error text (kFailed) or "Conectando" (kConnected).
// A call that the system reports as placed but not (yet) connected ends kNotConnected
// silently; the handle stays in connection for the next hang-up. Blocks while dialling.
DialResult DialSignUpEntry(RasOperations& ras, ProgressSink& progress, Sleeper& sleeper,
                           const DialCaller& caller, const SignUpEntrySettings& settings,
                           RasConnHandle& connection);

// Hangs up connection (the binding then waits 2000 ms). Returns the system's result, which
// callers do not need.
std::uint32_t HangUpConnection(RasOperations& ras, RasConnHandle connection);

// What a page does with a connection it no longer needs (after its conversation, when it
// is left or destroyed): when one is held, hang it up, wait extraWaitMs more and clear it.
void ReleaseConnection(RasOperations& ras, Sleeper& sleeper, RasConnHandle& connection,
                       unsigned extraWaitMs);

}  // namespace marvella
