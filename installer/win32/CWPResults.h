// Page 7, results: "&Crear cuenta" goes on line, signs the user up and runs the final
// actions; the account data are shown. For an account fetched on the user-type page the
// page is only passed through and runs the final actions as it is created.
#pragma once

#include <windows.h>

#include <memory>

#include "common/win32/MessageBoxSink.h"
#include "dialup/RasTypes.h"
#include "installer/FinalActions.h"
#include "installer/InstallerApp.h"
#include "installer/WizardSeams.h"
#include "installer/win32/CWizardPage.h"
#include "installer/win32/ProgressBox.h"
#include "installer/win32/InstallRecorder.h"
#include "installer/win32/SystemFinalActions.h"
#include "installer/win32/WizardResource.h"

namespace marvella {

class CWPResults : public CWizardPage, public ResultsPageSeam, private AccountDisplay {
 public:
  // `app` holds the records and choices; borrowed for the page's life. The monitor program
  // is taken from `resources`.
  CWPResults(HMODULE resources, InstallerApp& app);
  // Drops a line still held and deletes the temporary sign-up entry.
  ~CWPResults() override;

  // ResultsPageSeam
  void Init() override {}
  void Show() override {}
  bool ValidateNext() override;
  void LeaveForward() override;
  bool CreateAccount() override;
  void StartFinalActions() override;

 protected:
  void OnCommand(int controlId, int code) override;
  bool OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // AccountDisplay
  void ShowAccount(const ShownAccount& shown) override;
  void DisableCreateAccount() override;

  FinalActions& MakeFinalActions();
  void JoinDisplayWorker();
  static DWORD WINAPI DisplayWorker(void* parameter);

  InstallerApp& app_;
  SystemFinalActions platform_;
  RecordingFinalActions recorded_{platform_};  // what the uninstall will take back
  RasConnHandle connection_ = 0;
  bool accountCreated_ = false;
  // Inside "&Crear cuenta": the progress lines pump messages, so a second press, Back, Next
  // or Cancel could otherwise run inside it and pull the page away under it.
  bool busy_ = false;
  // Made when the actions first run; the worker reaches them while it lives.
  std::unique_ptr<ProgressBoxSink> progress_;
  std::unique_ptr<MessageBoxSink> messages_;
  std::unique_ptr<FinalActions> actions_;
  HANDLE worker_ = nullptr;
};

}  // namespace marvella
