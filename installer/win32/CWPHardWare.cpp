// The hardware page's controls, its notices and the environment check's worker thread.
#include "installer/win32/CWPHardWare.h"

#include <commctrl.h>

#include "common/OperatorSettings.h"
#include "common/win32/MessageBoxSink.h"
#include "dialup/win32/RasLibrary.h"
#include "dialup/win32/RemoteAccess.h"
#include "installer/win32/CWPSheet.h"
#include "signup/win32/DialogText.h"

namespace marvella {
namespace {

// The worker's finding, posted to the page: wParam is the EnvironmentProblem.
constexpr UINT kEnvironmentChecked = WM_APP + 0x52;

// Longest connection name the remote-access service keeps.
constexpr WPARAM kConnectionNameCapacity = kRasMaxEntryName;

// A notice with "Aceptar" (and "Cancelar" for one of them). True for "Aceptar".
INT_PTR CALLBACK NoticeProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

bool ShowNotice(HMODULE resources, int templateId, HWND owner) {
  return DialogBoxParamA(resources, MAKEINTRESOURCEA(templateId), owner, NoticeProc, 0) == IDOK;
}

void FillCombo(HWND combo, const NodeListItems& items) {
  SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  for (const NodeListItem& item : items) {
    LRESULT at = SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.text.c_str()));
    if (at >= 0) SendMessageA(combo, CB_SETITEMDATA, static_cast<WPARAM>(at), item.data);
  }
}

int Selection(HWND combo) { return static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0)); }

}  // namespace

CWPHardWare::CWPHardWare(InstallerApp& app)
    : CWizardPage(kHardwarePage, IDD_HARDWARE),
      app_(app),
      model_(app, MARVELLA_DEFAULT_ACCESS_NUMBER) {}

CWPHardWare::~CWPHardWare() { JoinEnvironmentCheck(); }

void CWPHardWare::Init() {
  FillDevices();
  model_.BuildLists();
  FillCombo(Item(IDC_HW_PROVINCE), model_.Provinces());
  ShowChoices();
  app_.remoteAccessInstalled = IsRemoteAccessInstalled();
  StartEnvironmentCheck();

  SendMessageA(Item(IDC_HW_FRIEND_ID), EM_LIMITTEXT, kFriendIdCapacity, 0);
  SendMessageA(Item(IDC_HW_CONNECTION_NAME), EM_LIMITTEXT, kConnectionNameCapacity, 0);
  SetDlgItemTextA(Window(), IDC_HW_FRIEND_ID, app_.user.friendid.c_str());
  SetDlgItemTextA(Window(), IDC_HW_PREFIX, app_.account.dialPrefix.c_str());
  SetDlgItemTextA(Window(), IDC_HW_CONNECTION_NAME, app_.account.profileName.c_str());
  // A referral identifier from the program's file name is not the user's to change.
  if (!app_.user.friendid.empty()) EnableWindow(Item(IDC_HW_FRIEND_ID), FALSE);
}

void CWPHardWare::Show() { model_.ReadEntries(ReadBoxes()); }

bool CWPHardWare::ValidateNext() {
  SystemSleeper sleeper;
  RasLibrary ras(sleeper);
  MessageBoxSink messages(Sheet().Window());
  return model_.Next(ReadBoxes(), ras, messages, *this);
}

bool CWPHardWare::ConfirmNewConnection() {
  return ShowNotice(Resources(), IDD_CONNECTION_EXISTS, Sheet().Window());
}

HardwareEntries CWPHardWare::ReadBoxes() const {
  HardwareEntries entries;
  entries.prefix = DialogItemText(Window(), IDC_HW_PREFIX);
  entries.friendId = DialogItemText(Window(), IDC_HW_FRIEND_ID);
  entries.connectionName = DialogItemText(Window(), IDC_HW_CONNECTION_NAME);
  HWND devices = Item(IDC_HW_DEVICE);
  int at = Selection(devices);
  if (at >= 0) entries.device = static_cast<int>(SendMessageA(devices, CB_GETITEMDATA, at, 0));
  return entries;
}

void CWPHardWare::FillDevices() {
  std::string title = ProgramFileName();
  EnumerateDialDevices(app_.dialDevices, true, Sheet().Window(), title.c_str());
  HWND combo = Item(IDC_HW_DEVICE);
  SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  for (size_t i = 0; i < app_.dialDevices.Count(); ++i) {
    // Appended, not sorted: the list keeps the system's order.
    LRESULT at = SendMessageA(combo, CB_INSERTSTRING, static_cast<WPARAM>(-1),
                              reinterpret_cast<LPARAM>(app_.dialDevices.At(i).szDeviceName));
    if (at >= 0) SendMessageA(combo, CB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(i));
  }
  SendMessageA(combo, CB_SETCURSEL, 0, 0);
}

void CWPHardWare::ShowChoices() {
  HWND provinces = Item(IDC_HW_PROVINCE);
  HWND cities = Item(IDC_HW_CITY);
  if (shownCityFills_ != model_.CityFills()) {
    FillCombo(cities, model_.Cities());
    shownCityFills_ = model_.CityFills();
  }
  SendMessageA(provinces, CB_SETCURSEL, static_cast<WPARAM>(model_.ProvinceSelection()), 0);
  SendMessageA(cities, CB_SETCURSEL, static_cast<WPARAM>(model_.CitySelection()), 0);
  EnableWindow(provinces, model_.ListsEnabled());
  EnableWindow(cities, model_.ListsEnabled());
  SetDlgItemTextA(Window(), IDC_HW_NODE_PHONE, app_.nodePhone.c_str());
}

void CWPHardWare::OnCommand(int controlId, int code) {
  if (controlId == IDC_HW_PROVINCE && code == CBN_SELCHANGE) {
    model_.ProvinceChosen(Selection(Item(IDC_HW_PROVINCE)));
  } else if (controlId == IDC_HW_CITY && code == CBN_SELCHANGE) {
    model_.CityChosen(Selection(Item(IDC_HW_CITY)));
  } else if (controlId == IDC_HW_GENERIC_NODE && code == BN_CLICKED) {
    model_.GenericNodeClicked(IsDlgButtonChecked(Window(), IDC_HW_GENERIC_NODE) == BST_CHECKED);
  } else {
    return;
  }
  ShowChoices();
}

// The check runs once per run, on a thread of the lowest priority. It only reads values
// taken before it starts and reports by posting to the page; the page shows the notice.
void CWPHardWare::StartEnvironmentCheck() {
  if (environmentChecked_) return;
  environmentChecked_ = true;
  checkInput_ = {Window(), app_.remoteAccessInstalled, app_.dialDevices.Count(),
                 app_.winsockReady};
  DWORD id = 0;
  checkThread_.Reset(
      CreateThread(nullptr, 0, EnvironmentCheckThread, &checkInput_, CREATE_SUSPENDED, &id));
  if (!checkThread_) {
    // No thread to spare: check here rather than let a machine that cannot dial through.
    EnvironmentChecked(
        CheckEnvironment(checkInput_.remoteAccessInstalled, checkInput_.adapters,
                         checkInput_.winsockReady));
    return;
  }
  SetThreadPriority(checkThread_.Get(), THREAD_PRIORITY_LOWEST);
  ResumeThread(checkThread_.Get());
}

DWORD WINAPI CWPHardWare::EnvironmentCheckThread(void* parameter) {
  const CheckInput& in = *static_cast<const CheckInput*>(parameter);
  EnvironmentProblem problem = CheckEnvironment(in.remoteAccessInstalled, in.adapters,
                                                in.winsockReady);
  if (problem != EnvironmentProblem::kNone)
    PostMessageA(in.page, kEnvironmentChecked, static_cast<WPARAM>(problem), 0);
  return 0;
}

void CWPHardWare::JoinEnvironmentCheck() {
  if (!checkThread_) return;
  // The worker never waits for this thread (it only posts), so this ends promptly.
  WaitForSingleObject(checkThread_.Get(), INFINITE);
  checkThread_.Reset();
}

void CWPHardWare::EnvironmentChecked(EnvironmentProblem problem) {
  int notice = 0;
  switch (problem) {
    case EnvironmentProblem::kNoRemoteAccess:
      notice = IDD_NO_REMOTE_ACCESS;
      break;
    case EnvironmentProblem::kNoAdapter:
      notice = IDD_NO_ADAPTER;
      break;
    case EnvironmentProblem::kNoTcpIp:
      notice = IDD_NO_TCPIP;
      break;
    case EnvironmentProblem::kNone:
      return;
  }
  canGoOn_ = false;  // for the rest of the run
  HWND sheet = Sheet().Window();
  // Only this page's buttons: the user may have gone back before the finding arrived.
  if (reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)) == Window())
    Sheet().PostButtons(kButtonsBack);
  ShowNotice(Resources(), notice, sheet);
}

bool CWPHardWare::OnPageMessage(UINT message, WPARAM wParam, LPARAM) {
  if (message == kEnvironmentChecked) {
    EnvironmentChecked(static_cast<EnvironmentProblem>(wParam));
    return true;
  }
  // The sheet is going away: the worker must be done before the page window is.
  if (message == WM_DESTROY) JoinEnvironmentCheck();
  return false;
}

}  // namespace marvella
