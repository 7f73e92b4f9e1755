// The dial procedure of the sign-up entry and the hang-up waits of its callers.
#include "dialup/SignUpDial.h"

#include <cstring>

#include "common/BoundedText.h"
#include "dialup/DialEntry.h"
#include "dialup/DialTexts.h"

namespace marvella {

namespace {

const char* OrEmpty(const char* text) { return text ? text : ""; }

// "Llamando al %s" with the number in place of %s, cut to the line's capacity. The number
// is inserted as text, never read as a format.
template <std::size_t N>
void FormatLine(char (&line)[N], const char* format, const char* argument) {
  line[0] = '\0';
  const char* mark = std::strstr(format, "%s");
  if (!mark) {
    CopyBounded(line, format);
    return;
  }
  CopyBounded(line, N, format, std::size_t(mark - format));
  AppendBounded(line, argument);
  AppendBounded(line, mark + 2);
}

}  // namespace

std::uint32_t HangUpConnection(RasOperations& ras, RasConnHandle connection) {
  return ras.RasHangUp(connection);
}

void ReleaseConnection(RasOperations& ras, Sleeper& sleeper, RasConnHandle& connection,
                       unsigned extraWaitMs) {
  if (connection == 0) return;
  HangUpConnection(ras, connection);
  if (extraWaitMs) sleeper.Sleep(extraWaitMs);
  connection = 0;
}

DialResult DialSignUpEntry(RasOperations& ras, ProgressSink& progress, Sleeper& sleeper,
                           const DialCaller& caller, const SignUpEntrySettings& settings,
                           RasConnHandle& connection) {
  if (connection != 0) {
    HangUpConnection(ras, connection);
    if (caller.extraWaitMs) sleeper.Sleep(caller.extraWaitMs);
    if (caller.clearHandle) connection = 0;
  }

  DeleteDialEntry(ras, settings.entryName);

  char phone[kRasMaxPhoneNumber + 1];
  CopyBounded(phone, OrEmpty(settings.dialPrefix));
  AppendBounded(phone, OrEmpty(settings.accessNumber));

  // When this fails, the dial below fails too and reports why.
  DialEntrySettings entry;
  entry.entryName = settings.entryName;
  entry.phoneNumber = phone;
  entry.userName = settings.userName;
  entry.password = settings.password;
  entry.primaryDns = settings.primaryDns;
  entry.secondaryDns = settings.secondaryDns;
  entry.deviceType = settings.deviceType;
  entry.deviceName = settings.deviceName;
  CreateDialEntry(ras, entry);

  RASDIALPARAMSA params{};
  params.dwSize = sizeof params;
  CopyBounded(params.szEntryName, OrEmpty(settings.entryName));
  CopyBounded(params.szPhoneNumber, phone);
  CopyBounded(params.szUserName, OrEmpty(settings.userName));
  CopyBounded(params.szPassword, OrEmpty(settings.password));

  char line[kRasMaxPhoneNumber + 64];
  if (settings.alreadyConnected) {
    progress.AppendProgressLine(TEXT_DIAL_OPENING);
  } else {
    FormatLine(line, TEXT_DIAL_CALLING, phone);
    progress.AppendProgressLine(line);
    // The system wants a null handle on entry (a non-null one means "resume a paused
    // dial"), so a page that kept its old, hung-up handle still gets a fresh call.
    RasConnHandle fresh = 0;
    std::uint32_t code = ras.RasDial(nullptr, nullptr, &params, 0, nullptr, &fresh);
    connection = fresh;
    if (code != 0) {
      char text[512] = {};
      ras.RasGetErrorString(code, text, sizeof text);
      text[sizeof text - 1] = '\0';
      progress.AppendProgressLine(text);
      return DialResult::kFailed;
    }
  }

  RASCONNSTATUSA status{};
  status.dwSize = sizeof status;
  if (settings.alreadyConnected) {
    status.rasconnstate = kRasConnected;
  } else if (connection == 0 || ras.RasGetConnectStatus(connection, &status) != 0) {
    // No handle (remote access missing reports success without dialling) or no status
    // written: nothing says the line is up.
    return DialResult::kNotConnected;
  }
  if (status.rasconnstate != kRasConnected) return DialResult::kNotConnected;

  progress.AppendProgressLine(TEXT_DIAL_CONNECTED);
  return DialResult::kConnected;
}

}  // namespace marvella
