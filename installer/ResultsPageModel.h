// The results page's own rules, without windows: "&Crear cuenta" (going on line, the sign-up
// conversation, what each outcome shows, the final actions), a fetched account's final
// actions, Next, and what the page leaves behind when it goes. The Win32 page lends it the
// system's services and shows what it is told through AccountDisplay and the sinks.
#pragma once

#include <memory>
#include <string>

#include "common/MessageSink.h"
#include "common/ProgressSink.h"
#include "common/Sleeper.h"
#include "dialup/RasOperations.h"
#include "installer/FinalActions.h"
#include "installer/InstallerApp.h"
#include "installer/WizardFrame.h"
#include "signup/UserServerSession.h"

namespace marvella {

// The sign-up conversation for app.user, filling app.account on acceptance (sockets and
// retry dialogs owned by the wizard on Windows, a script in tests).
class NewUserRegistrar {
 public:
  virtual ~NewUserRegistrar() = default;
  virtual SignUpResult RegisterNewUser(std::string& errorText) = 0;
};

// What the page lends the model for the model's life. The final actions keep all four; a
// fetched account's display steps reach display, messages and progress from a worker thread.
struct ResultsPageParts {
  FinalActionsPlatform& platform;
  AccountDisplay& display;  // the account frame and "&Crear cuenta"
  MessageSink& messages;    // boxes owned by the wizard
  ProgressSink& progress;   // the page's progress box
};

// How a press of "&Crear cuenta" ended.
enum class CreateAccountOutcome {
  kIgnored,    // a press was still running: nothing was done
  kNotOnLine,  // the call failed or is not connected yet; the progress box says why
  kFailed,     // server unreachable, a retry dialog cancelled, or an answer that belongs to
               // the existing-user conversation: progress lines say so
  kRefused,    // the server refused the user: a box says why
  kAccepted,   // the account exists: shown, and the final actions ran
};

class ResultsPageModel {
 public:
  // `app` (records, settings, run-wide flags) and `parts` are borrowed for the model's life.
  ResultsPageModel(InstallerApp& app, const ResultsPageParts& parts);

  // "&Crear cuenta": dials the sign-up entry (a line still held is hung up first), signs
  // the user up and, once accepted, runs every final action and leaves the sheet only
  // the way forward: Next alone, no Cancel. The line stays up until the page is left or
  // goes. The page and the sheet stay as they were unless the outcome is kAccepted.
  CreateAccountOutcome CreateAccount(RasOperations& ras, Sleeper& sleeper,
                                     NewUserRegistrar& registrar, WizardFrame& frame);
  // True while a press runs: its progress lines and boxes pump messages, so a second press,
  // Back, Next or Cancel could otherwise reach the page under it.
  bool Busy() const { return busy_; }

  // A fetched account: the machine steps run as the page is created (inside page 3's Next),
  // the display steps after them, on a worker where the page has one.
  void RunFetchedMachineSteps();
  void RunFetchedDisplaySteps();

  // Next: only once the account exists, made here or fetched.
  bool Next() const { return accountCreated_ || app_.flags.accountFetched; }

  // The page is left forward: a line still held is hung up.
  void Release(RasOperations& ras, Sleeper& sleeper);
  // The page goes: a line still held is hung up and the temporary sign-up entry deleted,
  // unless it is the user's own entry now.
  void Close(RasOperations& ras, Sleeper& sleeper);
  RasConnHandle Connection() const { return connection_; }

 private:
  FinalActions& Actions();

  InstallerApp& app_;
  ResultsPageParts parts_;
  RasConnHandle connection_ = 0;  // 0 when not on line
  bool accountCreated_ = false;
  bool busy_ = false;
  // Made when the actions first run, from the records as they are then.
  std::unique_ptr<FinalActions> actions_;
};

}  // namespace marvella
