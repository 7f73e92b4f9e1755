// The wizard's state table. A missing entry in a record is the sheet's default: nothing on
// Init and Show, a plain move on Next and Back, and closing on Finish.
#include "installer/WizardFlow.h"

namespace marvella {
namespace {

struct Step {
  WizardFrame& frame;
  WizardRunFlags& flags;
  const WizardSeams& seams;
};

struct PageRecord {
  void (*init)(Step&);
  void (*show)(Step&);
  PageMove (*next)(Step&);
  PageMove (*back)(Step&);
  bool (*finish)(Step&);
};

// Next and Back that only move: pages whose rules are all in their seam.
PageMove ValidateThenMove(Step&, PageSeam& page) {
  if (!page.ValidateNext()) return PageMove::kStay;
  page.LeaveForward();
  return PageMove::kMove;
}

// 0 Welcome: there is no Back button; the connection choice takes effect at Next only.
void WelcomeInit(Step& s) {
  s.frame.PostButtons(kButtonsNext);
  s.seams.welcome->SelectConnectionChoice(s.flags.alreadyConnected);
}
PageMove WelcomeNext(Step& s) {
  s.frame.PostButtons(kButtonsBackNext);
  s.flags.alreadyConnected = !s.seams.welcome->IsNotConnectedSelected();
  return PageMove::kMove;
}

// 1 Contract: Next shows only while the contract is accepted.
void LicenseButtons(Step& s) {
  s.frame.PostButtons(s.seams.license->IsAccepted() ? kButtonsBackNext : kButtonsBack);
}
void LicenseInit(Step& s) {
  s.seams.license->ShowContract();
  LicenseButtons(s);
}
PageMove LicenseNext(Step& s) {
  // Next is disabled until the contract is accepted; a press that reaches the page anyway
  // (a keyboard or programmatic press) must not pass it either.
  return s.seams.license->IsAccepted() ? PageMove::kMove : PageMove::kStay;
}
PageMove LicenseBack(Step& s) {
  s.frame.PostButtons(kButtonsNext);  // the welcome page has no Back
  return PageMove::kMove;
}

// 2 Hardware: a machine that cannot dial never gets Next.
void HardwareButtons(Step& s) {
  s.frame.PostButtons(s.seams.hardware->CanGoOn() ? kButtonsBackNext : kButtonsBack);
}
void HardwareInit(Step& s) {
  s.seams.hardware->Init();
  HardwareButtons(s);
}
void HardwareShow(Step& s) {
  s.seams.hardware->Show();
  HardwareButtons(s);
}
PageMove HardwareNext(Step& s) { return ValidateThenMove(s, *s.seams.hardware); }
PageMove HardwareBack(Step& s) {
  s.frame.PostButtons(kButtonsBackNext);
  return PageMove::kMove;
}

// 3 User type: a fetched access account sends the wizard to the end. The results page is
// made current while this page still holds its line (its final actions go on line), and
// only then is the line dropped.
void UserTypeInit(Step& s) { s.seams.userType->Init(); }
void UserTypeShow(Step& s) { s.seams.userType->Show(); }
PageMove UserTypeNext(Step& s) {
  UserTypePageSeam& page = *s.seams.userType;
  if (!page.ValidateNext()) return PageMove::kStay;
  if (s.flags.accountFetched) s.frame.MakeCurrent(kResultsPage);
  page.LeaveForward();
  return PageMove::kMove;
}

// 4 Personal data.
void PersonalInit(Step& s) { s.seams.personalData->Init(); }
void PersonalShow(Step& s) { s.seams.personalData->Show(); }
PageMove PersonalNext(Step& s) { return ValidateThenMove(s, *s.seams.personalData); }

// 5 Interests: an existing user passes over the optional-data page.
void InterestsInit(Step& s) { s.seams.interests->Init(); }
void InterestsShow(Step& s) { s.seams.interests->Show(); }
PageMove InterestsNext(Step& s) {
  PageSeam& page = *s.seams.interests;
  if (!page.ValidateNext()) return PageMove::kStay;
  if (!s.seams.userType->IsNewUser()) s.frame.MakeCurrent(kOptionalDataPage);
  page.LeaveForward();
  return PageMove::kMove;
}

// 6 Optional data (new users only).
void OptionalInit(Step& s) { s.seams.optionalData->Init(); }
void OptionalShow(Step& s) { s.seams.optionalData->Show(); }
PageMove OptionalNext(Step& s) { return ValidateThenMove(s, *s.seams.optionalData); }

// 7 Results: Next only once the account exists; with a fetched account the page is only
// passed through and cannot be left backwards.
void ResultsInit(Step& s) {
  ResultsPageSeam& page = *s.seams.results;
  page.Init();
  if (s.flags.accountFetched) {
    s.frame.PostButtons(kButtonsFinish);
    page.StartFinalActions();
  } else {
    s.frame.PostButtons(kButtonsBackDisabledFinish);
  }
}
void ResultsShow(Step& s) {
  s.seams.results->Show();
  s.frame.PostButtons(kButtonsBack);
}
PageMove ResultsNext(Step& s) { return ValidateThenMove(s, *s.seams.results); }
PageMove ResultsBack(Step& s) {
  if (s.flags.accountFetched) return PageMove::kStay;
  s.frame.PostButtons(kButtonsBackNext);
  if (s.seams.userType->IsNewUser()) return PageMove::kMove;
  // An existing user never saw the optional-data page: go straight to the interests page.
  s.frame.MakeCurrent(kInterestsPage);
  return PageMove::kStay;
}

// 8 Final: Finish only, and no way out but Finish.
void FinalInit(Step& s) {
  s.frame.PostButtons(kButtonsFinish);
  s.frame.EnableCancel(false);
}
bool FinalFinish(Step& s) {
  (void)s.seams.toolbar->InstallToolbarLibrary();
  return true;
}

const PageRecord kPages[kWizardPageCount] = {
    /* 0 */ {WelcomeInit, nullptr, WelcomeNext, nullptr, nullptr},
    /* 1 */ {LicenseInit, LicenseButtons, LicenseNext, LicenseBack, nullptr},
    /* 2 */ {HardwareInit, HardwareShow, HardwareNext, HardwareBack, nullptr},
    /* 3 */ {UserTypeInit, UserTypeShow, UserTypeNext, nullptr, nullptr},
    /* 4 */ {PersonalInit, PersonalShow, PersonalNext, nullptr, nullptr},
    /* 5 */ {InterestsInit, InterestsShow, InterestsNext, nullptr, nullptr},
    /* 6 */ {OptionalInit, OptionalShow, OptionalNext, nullptr, nullptr},
    /* 7 */ {ResultsInit, ResultsShow, ResultsNext, ResultsBack, nullptr},
    /* 8 */ {FinalInit, nullptr, nullptr, nullptr, FinalFinish},
};

const PageRecord* RecordOf(int page) {
  if (page < 0 || page >= kWizardPageCount) return nullptr;
  return &kPages[page];
}

}  // namespace

WizardFlow::WizardFlow(WizardFrame& frame, WizardRunFlags& flags, const WizardSeams& seams)
    : frame_(frame), flags_(flags), seams_(seams) {}

void WizardFlow::Init(int page) {
  const PageRecord* r = RecordOf(page);
  Step s{frame_, flags_, seams_};
  if (r && r->init) r->init(s);
}

void WizardFlow::Show(int page) {
  const PageRecord* r = RecordOf(page);
  Step s{frame_, flags_, seams_};
  if (r && r->show) r->show(s);
}

PageMove WizardFlow::Next(int page) {
  const PageRecord* r = RecordOf(page);
  if (!r) return PageMove::kStay;
  Step s{frame_, flags_, seams_};
  return r->next ? r->next(s) : PageMove::kMove;
}

PageMove WizardFlow::Back(int page) {
  const PageRecord* r = RecordOf(page);
  if (!r) return PageMove::kStay;
  Step s{frame_, flags_, seams_};
  return r->back ? r->back(s) : PageMove::kMove;
}

bool WizardFlow::Finish(int page) {
  const PageRecord* r = RecordOf(page);
  if (!r) return false;
  Step s{frame_, flags_, seams_};
  return r->finish ? r->finish(s) : true;
}

void WizardFlow::LicenseChoiceChanged() {
  Step s{frame_, flags_, seams_};
  LicenseButtons(s);
}

void WizardFlow::CreateAccount() { seams_.results->CreateAccount(frame_); }

}  // namespace marvella
