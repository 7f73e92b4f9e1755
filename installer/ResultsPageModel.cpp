// The results page's sign-up, its outcomes and the final actions.
#include "installer/ResultsPageModel.h"

#include "dialup/DialEntry.h"
#include "dialup/DialTexts.h"
#include "dialup/SignUpDial.h"
#include "installer/FinalActionTexts.h"
#include "installer/PortalAddress.h"
#include "installer/SignUpEntry.h"
#include "signup/SignupTexts.h"

namespace marvella {

ResultsPageModel::ResultsPageModel(InstallerApp& app, const ResultsPageParts& parts)
    : app_(app), parts_(parts) {}

FinalActions& ResultsPageModel::Actions() {
  if (!actions_) {
    FinalActionInputs inputs;
    inputs.account = &app_.account;
    inputs.user = &app_.user;
    inputs.accessNumber = app_.nodePhone;
    inputs.deviceType = app_.deviceType;
    inputs.deviceName = app_.deviceName;
    inputs.flags = app_.flags;
    inputs.portal = OperatorPortal();
    actions_ = std::make_unique<FinalActions>(parts_.platform, parts_.display, parts_.messages,
                                              parts_.progress, inputs);
  }
  return *actions_;
}

CreateAccountOutcome ResultsPageModel::CreateAccount(RasOperations& ras, Sleeper& sleeper,
                                                     NewUserRegistrar& registrar,
                                                     WizardFrame& frame) {
  if (busy_) return CreateAccountOutcome::kIgnored;
  busy_ = true;
  struct BusyWhile {
    bool& busy;
    ~BusyWhile() { busy = false; }
  } scope{busy_};

  ProgressSink& progress = parts_.progress;
  if (DialSignUpEntry(ras, progress, sleeper, kResultsPageCaller, SignUpEntryOf(app_),
                      connection_) != DialResult::kConnected)
    return CreateAccountOutcome::kNotOnLine;
  progress.AppendProgressLine(TEXT_DIAL_CONNECTED);

  std::string reason;
  switch (registrar.RegisterNewUser(reason)) {
    case SignUpResult::Failed:
    case SignUpResult::AccountExists:  // an answer to the other conversation only
      progress.AppendProgressLine(TEXT_SERVER_UNREACHABLE);
      if (!reason.empty()) progress.AppendProgressLine(reason.c_str());
      return CreateAccountOutcome::kFailed;
    case SignUpResult::Refused: {
      MessageStyle style;
      style.icon = MessageIcon::kNone;
      style.caption = TEXT_REGISTRATION_REFUSED_CAPTION;
      ShowString(parts_.messages, IDS_USERINFO_FAILED, style, IDS_USERINFO_FAILED_TEXT,
                 reason.c_str());
      return CreateAccountOutcome::kRefused;
    }
    case SignUpResult::Accepted:
      break;
  }
  accountCreated_ = true;
  Actions().Run();
  frame.PostButtons(kButtonsNext);
  frame.EnableCancel(false);
  return CreateAccountOutcome::kAccepted;
}

void ResultsPageModel::RunFetchedMachineSteps() { Actions().RunMachineSteps(); }

void ResultsPageModel::RunFetchedDisplaySteps() { Actions().RunDisplaySteps(); }

void ResultsPageModel::Release(RasOperations& ras, Sleeper& sleeper) {
  ReleaseConnection(ras, sleeper, connection_, kResultsPageReleaseWaitMs);
}

void ResultsPageModel::Close(RasOperations& ras, Sleeper& sleeper) {
  Release(ras, sleeper);
  const std::string& entry = app_.config.signUpEntryName;
  if (!entry.empty() && MayDeleteSignUpEntry(entry, app_.account.profileName))
    DeleteDialEntry(ras, entry.c_str());
}

}  // namespace marvella
