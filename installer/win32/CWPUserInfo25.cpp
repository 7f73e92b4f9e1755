// The user-type page's controls, and the services its fetch runs on.
#include "installer/win32/CWPUserInfo25.h"

#include "common/win32/MessageBoxSink.h"
#include "dialup/win32/RasLibrary.h"
#include "installer/win32/CWPSheet.h"
#include "installer/win32/ProgressBox.h"
#include "installer/win32/UserServerCalls.h"
#include "signup/win32/DialogText.h"

namespace marvella {

CWPUserInfo25::CWPUserInfo25(InstallerApp& app)
    : CWizardPage(kUserTypePage, IDD_USERTYPE), app_(app), model_(app) {}

CWPUserInfo25::~CWPUserInfo25() {
  if (model_.Connection() == 0) return;
  SystemSleeper sleeper;
  RasLibrary ras(sleeper);
  model_.Release(ras, sleeper);
}

void CWPUserInfo25::Init() {
  CheckRadioButton(Window(), IDC_UT_NEW_USER, IDC_UT_EXISTING_USER, IDC_UT_NEW_USER);
  EnableExistingUserBoxes(false);
  model_.ChooseNewUser();
}

bool CWPUserInfo25::ValidateNext() {
  MessageBoxSink messages(Sheet().Window());
  return model_.Next(ReadBoxes(), messages);
}

void CWPUserInfo25::LeaveForward() {
  SystemSleeper sleeper;
  RasLibrary ras(sleeper);
  model_.Release(ras, sleeper);
}

PageMove CWPUserInfo25::OnWizardNext() {
  return fetching_ ? PageMove::kStay : CWizardPage::OnWizardNext();
}

PageMove CWPUserInfo25::OnWizardBack() {
  return fetching_ ? PageMove::kStay : CWizardPage::OnWizardBack();
}

void CWPUserInfo25::OnCommand(int controlId, int code) {
  if (code != BN_CLICKED) return;
  if (controlId == IDC_UT_NEW_USER) {
    EnableExistingUserBoxes(false);
    model_.ChooseNewUser();
  } else if (controlId == IDC_UT_EXISTING_USER) {
    EnableExistingUserBoxes(true);
    model_.ChooseExistingUser();
  } else if (controlId == IDC_UT_FETCH) {
    Fetch();
  }
}

void CWPUserInfo25::Fetch() {
  if (fetching_) return;
  fetching_ = true;
  SystemSleeper sleeper;
  RasLibrary ras(sleeper);
  ProgressBoxSink progress(Item(IDC_UT_PROGRESS));
  MessageBoxSink messages(Sheet().Window());
  FetchServices services{ras, progress, sleeper, messages, *this};
  model_.Fetch(ReadBoxes(), services);
  fetching_ = false;
}

SignUpResult CWPUserInfo25::FetchExistingUser(std::string& errorText) {
  return marvella::FetchExistingUser(app_, errorText);
}

UserTypeEntries CWPUserInfo25::ReadBoxes() const {
  UserTypeEntries entries;
  entries.existingUser = IsDlgButtonChecked(Window(), IDC_UT_EXISTING_USER) == BST_CHECKED;
  entries.identifier = DialogItemText(Window(), IDC_UT_IDENTIFIER);
  entries.password = DialogItemText(Window(), IDC_UT_PASSWORD);
  return entries;
}

void CWPUserInfo25::EnableExistingUserBoxes(bool enabled) {
  for (int id : {IDC_UT_IDENTIFIER, IDC_UT_PASSWORD, IDC_UT_FETCH})
    EnableWindow(Item(id), enabled ? TRUE : FALSE);
}

}  // namespace marvella
