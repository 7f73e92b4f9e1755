// Page 2, hardware and access node: adapter, province and city of the access node, prefix,
// connection name and the referring friend, plus the background check that the machine
// can dial at all. The rules live in HardwarePageModel; this class moves values between
// the controls and the model.
#pragma once

#include <windows.h>

#include "common/win32/Owned.h"
#include "installer/HardwarePageModel.h"
#include "installer/InstallerApp.h"
#include "installer/WizardSeams.h"
#include "installer/win32/CWizardPage.h"
#include "installer/win32/WizardResource.h"

namespace marvella {

class CWPHardWare : public CWizardPage,
                    public HardwarePageSeam,
                    private ExistingConnectionPrompt {
 public:
  // `app` holds the lists and receives the choices; borrowed for the page's life.
  explicit CWPHardWare(InstallerApp& app);
  ~CWPHardWare() override;

  // HardwarePageSeam
  void Init() override;
  void Show() override;
  bool ValidateNext() override;
  void LeaveForward() override {}
  bool CanGoOn() const override { return canGoOn_; }

 protected:
  void OnCommand(int controlId, int code) override;
  bool OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // ExistingConnectionPrompt
  bool ConfirmNewConnection() override;

  HardwareEntries ReadBoxes() const;
  void FillDevices();
  // Shows the model's lists, selections and chosen number.
  void ShowChoices();
  void StartEnvironmentCheck();
  void EnvironmentChecked(EnvironmentProblem problem);
  void JoinEnvironmentCheck();
  static DWORD WINAPI EnvironmentCheckThread(void* parameter);

  InstallerApp& app_;
  HardwarePageModel model_;
  bool canGoOn_ = true;
  unsigned shownCityFills_ = 0;
  bool environmentChecked_ = false;  // once per run
  OwnedHandle checkThread_;
  // What the worker reads: copied before it starts, never touched by it afterwards.
  struct CheckInput {
    HWND page;
    bool remoteAccessInstalled;
    size_t adapters;
    bool winsockReady;
  } checkInput_ = {};
};

}  // namespace marvella
