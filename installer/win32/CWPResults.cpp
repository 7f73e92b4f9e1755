// The results page: going on line, the sign-up conversation, its three outcomes and the
// final actions, with the line dropped and the sign-up entry removed when the page goes.
#include "installer/win32/CWPResults.h"

#include "common/MessageSink.h"
#include "dialup/DialTexts.h"
#include "dialup/win32/RasLibrary.h"
#include "dialup/win32/RemoteAccess.h"
#include "installer/FinalActionTexts.h"
#include "installer/PortalAddress.h"
#include "installer/SignUpEntry.h"
#include "installer/win32/CWPSheet.h"
#include "installer/win32/UserServerCalls.h"
#include "signup/SignupTexts.h"

namespace marvella {

CWPResults::CWPResults(HMODULE resources, InstallerApp& app)
    : CWizardPage(kResultsPage, IDD_RESULTS), app_(app), platform_(resources) {}

CWPResults::~CWPResults() {
  JoinDisplayWorker();
  SystemSleeper sleeper;
  if (connection_) ReleaseConnection(connection_, sleeper, kResultsPageReleaseWaitMs);
  // The temporary entry must not outlive the installer, unless it is the user's own now.
  if (!app_.config.signUpEntryName.empty() &&
      MayDeleteSignUpEntry(app_.config.signUpEntryName, app_.account.profileName))
    DeleteDialEntry(app_.config.signUpEntryName.c_str());
}

bool CWPResults::ValidateNext() { return accountCreated_ || app_.flags.accountFetched; }

void CWPResults::LeaveForward() {
  SystemSleeper sleeper;
  ReleaseConnection(connection_, sleeper, kResultsPageReleaseWaitMs);
}

void CWPResults::OnCommand(int controlId, int code) {
  if (controlId != IDC_RS_CREATE || code != BN_CLICKED || busy_) return;
  busy_ = true;
  {
    CWPSheet::BusyScope busy(Sheet());  // the closing box of the final actions pumps too
    Flow().CreateAccount();
  }
  busy_ = false;
}

FinalActions& CWPResults::MakeFinalActions() {
  if (!actions_) {
    progress_ = std::make_unique<ProgressBoxSink>(Item(IDC_RS_PROGRESS));
    messages_ = std::make_unique<MessageBoxSink>(Sheet().Window());
    FinalActionInputs inputs;
    inputs.account = &app_.account;
    inputs.user = &app_.user;
    inputs.accessNumber = app_.nodePhone;
    inputs.deviceType = app_.deviceType;
    inputs.deviceName = app_.deviceName;
    inputs.flags = app_.flags;
    inputs.portal = OperatorPortal();
    AccountDisplay& display = *this;
    actions_ = std::make_unique<FinalActions>(recorded_, display, *messages_, *progress_, inputs);
  }
  return *actions_;
}

bool CWPResults::CreateAccount() {
  ProgressBoxSink progress(Item(IDC_RS_PROGRESS));
  SystemSleeper sleeper;
  // A line still held from an earlier press is hung up first (the caller's waits).
  if (DialSignUpEntry(connection_, progress, sleeper, kResultsPageCaller, SignUpEntryOf(app_)) !=
      DialResult::kConnected)
    return false;
  progress.AppendProgressLine(TEXT_DIAL_CONNECTED);

  std::string reason;
  switch (RegisterNewUser(app_, Sheet().Window(), reason)) {
    case SignUpResult::Failed:
    case SignUpResult::AccountExists:  // an answer to the other conversation only
      progress.AppendProgressLine(TEXT_SERVER_UNREACHABLE);
      if (!reason.empty()) progress.AppendProgressLine(reason.c_str());
      return false;
    case SignUpResult::Refused: {
      MessageBoxSink messages(Sheet().Window());
      MessageStyle style;
      style.icon = MessageIcon::kNone;
      style.caption = TEXT_REGISTRATION_REFUSED_CAPTION;
      ShowString(messages, IDS_USERINFO_FAILED, style, IDS_USERINFO_FAILED_TEXT,
                 reason.c_str());
      return false;
    }
    case SignUpResult::Accepted:
      break;
  }
  // The line stays up until the page is left or goes.
  accountCreated_ = true;
  MakeFinalActions().Run();
  return true;
}

// A fetched account: the entry, the monitor and the shortcut here, then a worker of the
// lowest priority shows the account (its notice only when the entry and the monitor were
// made), opens the portal and names what failed (page fields, boxes, shell and registry).
// This runs inside page 3's Next: a failure's progress line pumps messages, so the sheet
// refuses every press meanwhile.
void CWPResults::StartFinalActions() {
  FinalActions& actions = MakeFinalActions();
  {
    CWPSheet::BusyScope busy(Sheet());
    actions.RunMachineSteps();
  }
  DWORD id = 0;
  worker_ = CreateThread(nullptr, 0, DisplayWorker, &actions, CREATE_SUSPENDED, &id);
  if (worker_) {
    SetThreadPriority(worker_, THREAD_PRIORITY_LOWEST);
    ResumeThread(worker_);
  }
  // No thread to spare: the account is still shown and the portal still opened.
  if (!worker_) {
    CWPSheet::BusyScope busy(Sheet());
    actions.RunDisplaySteps();
  }
}

DWORD WINAPI CWPResults::DisplayWorker(void* parameter) {
  static_cast<FinalActions*>(parameter)->RunDisplaySteps();
  return 0;
}

void CWPResults::JoinDisplayWorker() {
  if (!worker_) return;
  // The worker sends to the page's fields and owns a box on the wizard: serve what it sends
  // while waiting, or both threads would wait for each other.
  while (MsgWaitForMultipleObjects(1, &worker_, FALSE, INFINITE, QS_SENDMESSAGE) !=
         WAIT_OBJECT_0) {
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
  CloseHandle(worker_);
  worker_ = nullptr;
}

void CWPResults::ShowAccount(const ShownAccount& shown) {
  SetDlgItemTextA(Window(), IDC_RS_USERID, shown.userName.c_str());
  SetDlgItemTextA(Window(), IDC_RS_PASSWORD, shown.password.c_str());
  SetDlgItemTextA(Window(), IDC_RS_DNS, shown.nameServer.c_str());
  SetDlgItemTextA(Window(), IDC_RS_EMAIL, shown.mailAddress.c_str());
  SetDlgItemTextA(Window(), IDC_RS_ALIAS, shown.alias.c_str());
}

void CWPResults::DisableCreateAccount() { EnableWindow(Item(IDC_RS_CREATE), FALSE); }

bool CWPResults::OnPageMessage(UINT message, WPARAM, LPARAM lParam) {
  // The worker writes into this window: it must be done before the window is.
  if (message == WM_DESTROY) JoinDisplayWorker();
  if (message == WM_NOTIFY && busy_) {
    // While signing up the page stays: no move and no cancelling.
    UINT code = reinterpret_cast<const NMHDR*>(lParam)->code;
    if (code == PSN_WIZBACK || code == PSN_WIZNEXT || code == PSN_WIZFINISH) {
      SetWindowLongPtrA(Window(), DWLP_MSGRESULT, -1);
      return true;
    }
    if (code == PSN_QUERYCANCEL) {
      SetWindowLongPtrA(Window(), DWLP_MSGRESULT, TRUE);
      return true;
    }
  }
  return false;
}

}  // namespace marvella
