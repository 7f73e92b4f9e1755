// What the results page does once the account exists, in this order: the user's own dial-up
// entry, the monitor program on disk, the desktop shortcut to it, the account on screen with
// its notice, then the portal's first visit and the browser's start page. An action that
// cannot be done adds one progress line that names it, and the next one runs; at the end
// one message box names every action that failed.
#pragma once

#include <string>
#include <string_view>

#include "common/MessageSink.h"
#include "common/ProgressSink.h"
#include "dialup/DialEntry.h"
#include "installer/PortalAddress.h"
#include "installer/WizardRunFlags.h"
#include "signup/AccountRecord.h"
#include "signup/UserRecord.h"

namespace marvella {

// File name of the monitor program in the Windows directory; the shortcut's bare target.
constexpr char kMonitorFileName[] = "marvella.exe";

struct ShortcutSettings {
  std::string path;         // the .LNK file: desktop folder, "\", connection name, ".LNK"
  std::string target;       // the monitor program's full path (its bare name when unknown)
  std::string arguments;    // the connection name, the monitor's whole command line
  std::string description;  // the connection name
  std::string iconPath;     // the monitor program's full path, icon index 0
};

// What the final actions change on the machine: phonebook, files, shell and registry on
// Windows; fakes in tests. Each operation answers whether it was done.
class FinalActionsPlatform {
 public:
  virtual ~FinalActionsPlatform() = default;
  // Writes the phonebook entry (see dialup/DialEntry.h).
  virtual bool CreateDialEntry(const DialEntrySettings& entry) = 0;
  // The Windows directory without a final "\"; empty when unknown.
  virtual std::string WindowsDirectory() = 0;
  // Creates `path` (replacing an older file) and writes the whole monitor program into it.
  virtual bool WriteMonitorProgram(const std::string& path) = 0;
  // The user's desktop folder ("Desktop" of the shell folders); empty when unknown.
  virtual std::string DesktopDirectory() = 0;
  // Saves the shortcut through the system's shell-link object.
  virtual bool SaveShortcut(const ShortcutSettings& shortcut) = 0;
  // Opens the address with the shell's "open", shown normally (the default browser).
  virtual bool OpenAddress(const std::string& address) = 0;
  // Writes "Start Page" and "Default_Page_URL" under the machine's key, then the user's; a
  // key that cannot be opened is skipped. True when at least one took it.
  virtual bool SetStartPage(const std::string& address) = 0;
};

// The account as the results page shows it.
struct ShownAccount {
  std::string userName;     // field 1012, "ID de conexión:"
  std::string password;     // 1013
  std::string nameServer;   // 1014, the first one
  std::string mailAddress;  // 1016, the web-mail identifier
  std::string alias;        // 1018
};

// The results page's account frame and its "&Crear cuenta" button.
class AccountDisplay {
 public:
  virtual ~AccountDisplay() = default;
  virtual void ShowAccount(const ShownAccount& shown) = 0;
  virtual void DisableCreateAccount() = 0;
};

// What the actions are made from. The texts are the caller's and must outlive the run.
struct FinalActionInputs {
  const AccountRecord* account = nullptr;  // entry name, prefix, logon, name servers, mail
  const UserRecord* user = nullptr;        // alias
  std::string accessNumber;                // the chosen access node's number
  std::string deviceType;                  // the adapter chosen on the hardware page
  std::string deviceName;
  WizardRunFlags flags;
  PortalAddresses portal;
};

class FinalActions {
 public:
  // `messages` shows the notice (owned by the wizard); `progress` is the page's box. For a
  // fetched account the display steps run on a worker thread: its `display`, `messages`
  // and `progress` must then be safe to call from there.
  FinalActions(FinalActionsPlatform& platform, AccountDisplay& display, MessageSink& messages,
               ProgressSink& progress, const FinalActionInputs& inputs);

  // Every action in order: a new account.
  void Run();
  // The entry, the monitor program and the shortcut (phonebook, files).
  void RunMachineSteps();
  // The account on screen, the first visit and the start page (page, shell, registry), then
  // the failures of every step run, in one box. The "configured" notice only comes when
  // the entry and the monitor program were made.
  void RunDisplaySteps();

  void CreateUserEntry();
  void WriteMonitorProgram();
  void CreateDesktopShortcut();
  void ShowAccount();
  void OpenPortal();

  // The monitor program's full path in the Windows directory; empty when unknown or too
  // long for a path.
  std::string MonitorPath();

 private:
  // The failure's progress line, kept for the closing box; answers `done`.
  bool Report(bool done, const char* failureLine);
  void ReportFailures();

  FinalActionsPlatform& platform_;
  AccountDisplay& display_;
  MessageSink& messages_;
  ProgressSink& progress_;
  FinalActionInputs inputs_;
  // Written by the machine steps, then (on a fetched account's worker) the display steps.
  std::string failures_;
  bool configured_ = true;  // the entry and the monitor program were made
};

// Whether the results page, going away, deletes the temporary sign-up entry: not when the
// user's own entry has the same name as the phonebook sees it (without regard to case, cut
// to the entry name's capacity), or the user would lose the entry just made.
bool MayDeleteSignUpEntry(std::string_view signUpEntryName, std::string_view userEntryName);

}  // namespace marvella
