// The user-type page's modes, fetch and Next.
#include "installer/UserTypePageModel.h"

#include "dialup/DialTexts.h"
#include "dialup/SignUpDial.h"
#include "installer/PersonalData.h"
#include "installer/SignUpEntry.h"
#include "installer/UserTypeTexts.h"
#include "signup/FieldChecks.h"
#include "signup/SignupTexts.h"

namespace marvella {

void UserTypePageModel::ChooseNewUser() {
  app_.user.alta = "1";
  app_.flags.cleanStartRequested = true;
}

void UserTypePageModel::ChooseExistingUser() {
  app_.user.alta = "0";
  app_.flags.cleanStartRequested = false;
}

bool UserTypePageModel::IsNewUser() const { return app_.user.alta != "0"; }

void UserTypePageModel::Fetch(const UserTypeEntries& entries, FetchServices& s) {
  app_.flags.fetchPressed = true;
  if (!IsValidIdentifier(entries.identifier, s.messages)) return;
  app_.user.userid = entries.identifier;
  if (entries.password.empty()) {
    ShowString(s.messages, IDS_FIELD_TOO_SHORT, MessageStyle{}, IDS_FIELD_TOO_SHORT_TEXT,
               "contraseña", 1);
    return;
  }
  if (!CheckPasswordCharacters(entries.password, s.messages)) return;
  app_.user.password = entries.password;

  // A failed or unfinished call has said why in the progress box; its line is dropped at
  // the next press or when the page goes.
  if (DialSignUpEntry(s.ras, s.progress, s.sleeper, kUserTypePageCaller, SignUpEntryOf(app_),
                      connection_) != DialResult::kConnected)
    return;
  s.progress.AppendProgressLine(TEXT_DIAL_CONNECTED);

  std::string errorText;
  SignUpResult result = s.fetcher.FetchExistingUser(errorText);
  if (result == SignUpResult::Accepted || result == SignUpResult::AccountExists) {
    MessageStyle notice;
    notice.icon = MessageIcon::kInformation;
    ShowString(s.messages, IDS_USER_DATA_FETCHED, notice, "%s", IDS_USER_DATA_FETCHED_TEXT);
    if (result == SignUpResult::AccountExists) {
      app_.flags.existingAccount = true;
      app_.flags.accountFetched = true;
    }
  } else {
    ShowString(s.messages, IDS_USERINFO_FAILED, MessageStyle{}, IDS_USERINFO_FAILED_TEXT,
               errorText.c_str());
  }
  ReleaseConnection(s.ras, s.sleeper, connection_, kUserTypePageReleaseWaitMs);
}

bool UserTypePageModel::Next(const UserTypeEntries& entries, MessageSink& messages) {
  app_.user.alta = entries.existingUser ? "0" : "1";
  if (entries.existingUser) {
    if (!app_.flags.fetchPressed) {
      ShowString(messages, 0, MessageStyle{}, "%s", USERTYPE_FETCH_FIRST_TEXT);
      return false;
    }
    if (!IsValidIdentifier(entries.identifier, messages)) return false;
  }
  if (app_.flags.existingAccount) app_.user.alta = "0";
  return true;
}

void UserTypePageModel::Release(RasOperations& ras, Sleeper& sleeper) {
  ReleaseConnection(ras, sleeper, connection_, kUserTypePageReleaseWaitMs);
}

}  // namespace marvella
