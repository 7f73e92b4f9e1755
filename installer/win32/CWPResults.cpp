// The results page's controls, the services its model runs on, and the worker that shows
// a fetched account.
#include "installer/win32/CWPResults.h"

#include "dialup/win32/RasLibrary.h"
#include "installer/win32/CWPSheet.h"
#include "installer/win32/ProgressBox.h"
#include "installer/win32/UserServerCalls.h"

namespace marvella {

CWPResults::CWPResults(HMODULE resources, InstallerApp& app)
    : CWizardPage(kResultsPage, IDD_RESULTS),
      app_(app),
      platform_(resources),
      model_(app, ResultsPageParts{recorded_, *this, messages_, *this}) {}

CWPResults::~CWPResults() {
  JoinDisplayWorker();
  SystemSleeper sleeper;
  RasLibrary ras(sleeper);
  model_.Close(ras, sleeper);
}

// The sheet window exists once a page does.
void CWPResults::Init() { messages_.SetOwner(Sheet().Window()); }

void CWPResults::LeaveForward() {
  SystemSleeper sleeper;
  RasLibrary ras(sleeper);
  model_.Release(ras, sleeper);
}

void CWPResults::OnCommand(int controlId, int code) {
  if (controlId != IDC_RS_CREATE || code != BN_CLICKED || model_.Busy()) return;
  CWPSheet::BusyScope busy(Sheet());  // the closing box of the final actions pumps too
  Flow().CreateAccount();
}

void CWPResults::CreateAccount(WizardFrame& frame) {
  SystemSleeper sleeper;
  RasLibrary ras(sleeper);
  model_.CreateAccount(ras, sleeper, *this, frame);
}

SignUpResult CWPResults::RegisterNewUser(std::string& errorText) {
  return marvella::RegisterNewUser(app_, Sheet().Window(), errorText);
}

// A fetched account: the entry, the monitor and the shortcut here, then a worker of the
// lowest priority shows the account (its notice only when the entry and the monitor were
// made), opens the portal and names what failed (page fields, boxes, shell and registry).
// This runs inside page 3's Next: a failure's progress line pumps messages, so the sheet
// refuses every press meanwhile.
void CWPResults::StartFinalActions() {
  {
    CWPSheet::BusyScope busy(Sheet());
    model_.RunFetchedMachineSteps();
  }
  DWORD id = 0;
  worker_.Reset(CreateThread(nullptr, 0, DisplayWorker, &model_, CREATE_SUSPENDED, &id));
  if (worker_) {
    SetThreadPriority(worker_.Get(), THREAD_PRIORITY_LOWEST);
    ResumeThread(worker_.Get());
  }
  // No thread to spare: the account is still shown and the portal still opened.
  if (!worker_) {
    CWPSheet::BusyScope busy(Sheet());
    model_.RunFetchedDisplaySteps();
  }
}

DWORD WINAPI CWPResults::DisplayWorker(void* parameter) {
  static_cast<ResultsPageModel*>(parameter)->RunFetchedDisplaySteps();
  return 0;
}

void CWPResults::JoinDisplayWorker() {
  if (!worker_) return;
  // The worker sends to the page's fields and owns a box on the wizard: serve what it sends
  // while waiting, or both threads would wait for each other.
  HANDLE worker = worker_.Get();
  while (MsgWaitForMultipleObjects(1, &worker, FALSE, INFINITE, QS_SENDMESSAGE) != WAIT_OBJECT_0) {
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
  worker_.Reset();
}

void CWPResults::ShowAccount(const ShownAccount& shown) {
  SetDlgItemTextA(Window(), IDC_RS_USERID, shown.userName.c_str());
  SetDlgItemTextA(Window(), IDC_RS_PASSWORD, shown.password.c_str());
  SetDlgItemTextA(Window(), IDC_RS_DNS, shown.nameServer.c_str());
  SetDlgItemTextA(Window(), IDC_RS_EMAIL, shown.mailAddress.c_str());
  SetDlgItemTextA(Window(), IDC_RS_ALIAS, shown.alias.c_str());
}

void CWPResults::DisableCreateAccount() { EnableWindow(Item(IDC_RS_CREATE), FALSE); }

void CWPResults::AppendProgressLine(const char* line) {
  marvella::AppendProgressLine(line, Item(IDC_RS_PROGRESS));
}

bool CWPResults::OnPageMessage(UINT message, WPARAM, LPARAM lParam) {
  // The worker writes into this window: it must be done before the window is.
  if (message == WM_DESTROY) JoinDisplayWorker();
  if (message == WM_NOTIFY && model_.Busy()) {
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
