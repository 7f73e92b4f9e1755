// Page 3, user type: a new user, or an existing one who fetches the stored data (and
// account) from the user server. The rules live in UserTypePageModel; this class moves
// values between the controls and the model and lends it the system's services.
#pragma once

#include <windows.h>

#include "installer/InstallerApp.h"
#include "installer/UserTypePageModel.h"
#include "installer/WizardSeams.h"
#include "installer/win32/CWizardPage.h"
#include "installer/win32/WizardResource.h"

namespace marvella {

class CWPUserInfo25 : public CWizardPage,
                      public UserTypePageSeam,
                      private ExistingUserFetcher {
 public:
  // `app` holds the records and flags the page writes; borrowed for the page's life.
  explicit CWPUserInfo25(InstallerApp& app);
  // A line still held is hung up here.
  ~CWPUserInfo25() override;

  // UserTypePageSeam
  void Init() override;
  void Show() override {}
  bool ValidateNext() override;
  void LeaveForward() override;
  bool IsNewUser() const override { return model_.IsNewUser(); }

 protected:
  void OnCommand(int controlId, int code) override;
  PageMove OnWizardNext() override;
  PageMove OnWizardBack() override;

 private:
  // ExistingUserFetcher
  SignUpResult FetchExistingUser(std::string& errorText) override;

  UserTypeEntries ReadBoxes() const;
  void EnableExistingUserBoxes(bool enabled);
  void Fetch();

  InstallerApp& app_;
  UserTypePageModel model_;
  // True while "&Obtener datos" runs: the progress lines let clicks through, and neither
  // a second fetch nor leaving the page may start under the dial or the conversation.
  bool fetching_ = false;
};

}  // namespace marvella
