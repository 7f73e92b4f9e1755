// Page answers for the flow tests: each page answers from a script and logs what the flow
// asked of it, so a test sees both where the wizard went and in what order pages were asked.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "installer/WizardSeams.h"

namespace marvella::test {

using CallLog = std::vector<std::string>;

class ScriptedWelcome : public WelcomeView {
 public:
  bool notConnected = false;  // the radio the user left selected
  int selections = 0;
  void SelectConnectionChoice(bool nc) override {
    notConnected = nc;
    ++selections;
  }
  bool IsNotConnectedSelected() const override { return notConnected; }
};

class ScriptedLicense : public LicenseView {
 public:
  bool accepted = false;
  int contractLoads = 0;
  void ShowContract() override { ++contractLoads; }
  bool IsAccepted() const override { return accepted; }
};

class ScriptedPage : public HardwarePageSeam, public UserTypePageSeam, public ResultsPageSeam {
 public:
  ScriptedPage(const char* name, CallLog& log) : name_(name), log_(log) {}

  bool validates = true;
  bool canGoOn = true;
  bool newUser = true;
  bool createsAccount = true;
  std::function<void()> onValidate;  // runs on a Next that validates (e.g. a fetch's effect)
  std::function<void()> onRefuse;    // runs on a Next that is refused (e.g. its message)

  void Init() override { Log("Init"); }
  void Show() override { Log("Show"); }
  bool ValidateNext() override {
    Log("ValidateNext");
    if (validates && onValidate) onValidate();
    if (!validates && onRefuse) onRefuse();
    return validates;
  }
  void LeaveForward() override { Log("LeaveForward"); }
  bool CanGoOn() const override { return canGoOn; }
  bool IsNewUser() const override { return newUser; }
  void CreateAccount(WizardFrame& frame) override {
    Log("CreateAccount");
    if (!createsAccount) return;
    frame.PostButtons(kButtonsNext);  // as the results page does once the account exists
    frame.EnableCancel(false);
  }
  void StartFinalActions() override { Log("StartFinalActions"); }

 private:
  void Log(const char* what) { log_.push_back(name_ + "." + what); }
  std::string name_;
  CallLog& log_;
};

class ScriptedToolbar : public ToolbarLibraryInstaller {
 public:
  int installs = 0;
  bool InstallToolbarLibrary() override {
    ++installs;
    return true;
  }
};

}  // namespace marvella::test
