// The final actions in their order.
#include "installer/FinalActions.h"

#include "common/TextCase.h"
#include "dialup/RasTypes.h"
#include "installer/FinalActionTexts.h"

namespace marvella {
namespace {

// Longest path the system's file calls take (MAX_PATH less its terminating zero).
constexpr size_t kMaxPath = 259;

}  // namespace

FinalActions::FinalActions(FinalActionsPlatform& platform, AccountDisplay& display,
                           MessageSink& messages, ProgressSink& progress,
                           const FinalActionInputs& inputs)
    : platform_(platform),
      display_(display),
      messages_(messages),
      progress_(progress),
      inputs_(inputs) {}

void FinalActions::Run() {
  RunMachineSteps();
  RunDisplaySteps();
}

void FinalActions::RunMachineSteps() {
  CreateUserEntry();
  WriteMonitorProgram();
  CreateDesktopShortcut();
}

void FinalActions::RunDisplaySteps() {
  ShowAccount();
  OpenPortal();
  ReportFailures();
}

bool FinalActions::Report(bool done, const char* failureLine) {
  // Going on silently would tell the user all is configured when it is not.
  if (done) return true;
  progress_.AppendProgressLine(failureLine);
  failures_ += failures_.empty() ? "" : "\n";
  failures_ += failureLine;
  return false;
}

void FinalActions::ReportFailures() {
  if (failures_.empty()) return;
  ShowString(messages_, 0, MessageStyle{}, TEXT_FINAL_FAILURES_TEXT, failures_.c_str());
}

void FinalActions::CreateUserEntry() {
  const AccountRecord& account = *inputs_.account;
  std::string phone = account.dialPrefix + inputs_.accessNumber;
  DialEntrySettings entry;
  entry.entryName = account.profileName.c_str();
  entry.phoneNumber = phone.c_str();
  entry.userName = account.userid.c_str();
  entry.password = account.pass.c_str();
  entry.primaryDns = account.dns1.c_str();
  entry.secondaryDns = account.dns2.c_str();
  entry.deviceType = inputs_.deviceType.c_str();
  entry.deviceName = inputs_.deviceName.c_str();
  if (!Report(platform_.CreateDialEntry(entry), TEXT_FINAL_ENTRY_FAILED)) configured_ = false;
}

std::string FinalActions::MonitorPath() {
  std::string directory = platform_.WindowsDirectory();
  if (directory.empty()) return std::string();
  std::string path = directory + "\\" + kMonitorFileName;
  return path.size() <= kMaxPath ? path : std::string();
}

void FinalActions::WriteMonitorProgram() {
  std::string path = MonitorPath();
  if (!Report(!path.empty() && platform_.WriteMonitorProgram(path), TEXT_FINAL_MONITOR_FAILED))
    configured_ = false;
}

void FinalActions::CreateDesktopShortcut() {
  const std::string& name = inputs_.account->profileName;
  std::string desktop = platform_.DesktopDirectory();
  ShortcutSettings shortcut;
  shortcut.path = desktop + "\\" + name + ".LNK";
  // The monitor where it was written; its bare name only when there is no such path.
  shortcut.target = MonitorPath();
  if (shortcut.target.empty()) shortcut.target = kMonitorFileName;
  shortcut.arguments = name;
  shortcut.description = name;
  shortcut.iconPath = MonitorPath();
  // Without a desktop folder the shortcut would land in the root of the current drive.
  bool saved =
      !desktop.empty() && shortcut.path.size() <= kMaxPath && platform_.SaveShortcut(shortcut);
  Report(saved, TEXT_FINAL_SHORTCUT_FAILED);
}

void FinalActions::ShowAccount() {
  const AccountRecord& account = *inputs_.account;
  display_.ShowAccount(ShownAccount{account.userid, account.pass, account.dns1, account.idwebmail,
                                    inputs_.user->alias});
  display_.DisableCreateAccount();
  // Without the entry or the monitor the access is not configured, whatever else went well.
  if (!configured_) return;
  MessageStyle style;
  style.icon = MessageIcon::kInformation;
  style.caption = TEXT_ACCOUNT_CREATED_CAPTION;
  messages_.ShowMessage(IDS_ACCOUNT_CREATED, IDS_ACCOUNT_CREATED_TEXT, style);
}

void FinalActions::OpenPortal() {
  std::string address = FirstVisitAddress(inputs_.portal.webHost, *inputs_.account, inputs_.flags);
  Report(platform_.OpenAddress(address), TEXT_FINAL_OPEN_FAILED);
  Report(platform_.SetStartPage(inputs_.portal.homeAddress), TEXT_FINAL_START_PAGE_FAILED);
}

bool MayDeleteSignUpEntry(std::string_view signUpEntryName, std::string_view userEntryName) {
  // Entry names are cut to their field when entries are written, so compare them cut.
  return !SameTextIgnoringCase(signUpEntryName.substr(0, kRasMaxEntryName),
                               userEntryName.substr(0, kRasMaxEntryName));
}

}  // namespace marvella
