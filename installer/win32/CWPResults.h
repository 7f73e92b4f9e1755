// Page 7, results: "&Crear cuenta" goes on line, signs the user up and runs the final
// actions; the account data are shown. For an account fetched on the user-type page the
// page is only passed through and runs the final actions as it is created. The rules live
// in ResultsPageModel; this class binds the controls, the system's services and the worker.
#pragma once

#include <windows.h>

#include "common/win32/MessageBoxSink.h"
#include "common/win32/Owned.h"
#include "installer/InstallerApp.h"
#include "installer/ResultsPageModel.h"
#include "installer/WizardSeams.h"
#include "installer/win32/CWizardPage.h"
#include "installer/win32/InstallRecorder.h"
#include "installer/win32/SystemFinalActions.h"
#include "installer/win32/WizardResource.h"

namespace marvella {

class CWPResults : public CWizardPage,
                   public ResultsPageSeam,
                   private AccountDisplay,
                   private ProgressSink,
                   private NewUserRegistrar {
 public:
  // `app` holds the records and choices; borrowed for the page's life. The monitor program
  // is taken from `resources`.
  CWPResults(HMODULE resources, InstallerApp& app);
  // Drops a line still held and deletes the temporary sign-up entry.
  ~CWPResults() override;

  // ResultsPageSeam
  void Init() override;
  void Show() override {}
  bool ValidateNext() override { return model_.Next(); }
  void LeaveForward() override;
  void CreateAccount(WizardFrame& frame) override;
  void StartFinalActions() override;

 protected:
  void OnCommand(int controlId, int code) override;
  bool OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // AccountDisplay
  void ShowAccount(const ShownAccount& shown) override;
  void DisableCreateAccount() override;
  // ProgressSink: the page's progress box (also from the worker).
  void AppendProgressLine(const char* line) override;
  // NewUserRegistrar
  SignUpResult RegisterNewUser(std::string& errorText) override;

  void JoinDisplayWorker();
  static DWORD WINAPI DisplayWorker(void* parameter);

  InstallerApp& app_;
  SystemFinalActions platform_;
  RecordingFinalActions recorded_{platform_};  // what the uninstall will take back
  MessageBoxSink messages_;  // owned by the wizard once it runs
  ResultsPageModel model_;
  OwnedHandle worker_;
};

}  // namespace marvella
