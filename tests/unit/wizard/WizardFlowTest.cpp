// The wizard's page flow driven through a simulated sheet with scripted page answers.
#include <gtest/gtest.h>

#include <algorithm>

#include "installer/WizardFlow.h"
#include "tests/unit/wizard/ScriptedPages.h"
#include "tests/unit/wizard/SimulatedSheet.h"

namespace marvella::test {
namespace {

using Pages = std::vector<int>;

class WizardFlowTest : public ::testing::Test {
 protected:
  WizardFlowTest() {
    seams.welcome = &welcome;
    seams.license = &license;
    seams.hardware = &hardware;
    seams.userType = &userType;
    seams.personalData = &personal;
    seams.interests = &interests;
    seams.optionalData = &optional;
    seams.results = &results;
    seams.toolbar = &toolbar;
    sheet.Attach(flow);
  }

  void AcceptContract(bool accept) {
    license.accepted = accept;
    flow.LicenseChoiceChanged();
  }

  // Starts the wizard and goes forward, accepting the contract, until `page` is current.
  void WalkTo(int page) {
    sheet.Start();
    while (sheet.current() < page) {
      if (sheet.current() == kLicensePage) AcceptContract(true);
      int before = sheet.current();
      sheet.PressNext();
      ASSERT_NE(before, sheet.current()) << "stuck on page " << before;
    }
    ASSERT_EQ(page, sheet.current());
  }

  bool Logged(const std::string& call) const {
    return std::find(log.begin(), log.end(), call) != log.end();
  }
  size_t IndexOf(const std::string& call) const {
    return static_cast<size_t>(std::find(log.begin(), log.end(), call) - log.begin());
  }

  CallLog log;
  ScriptedWelcome welcome;
  ScriptedLicense license;
  ScriptedPage hardware{"hardware", log};
  ScriptedPage userType{"userType", log};
  ScriptedPage personal{"personal", log};
  ScriptedPage interests{"interests", log};
  ScriptedPage optional{"optional", log};
  ScriptedPage results{"results", log};
  ScriptedToolbar toolbar;
  WizardRunFlags flags;
  WizardSeams seams;
  SimulatedSheet sheet;
  WizardFlow flow{sheet, flags, seams};
};

TEST_F(WizardFlowTest, NewUserGoesThroughEveryPageInOrderWithTheRightButtons) {
  sheet.Start();
  EXPECT_EQ(kButtonsNext, sheet.buttons());
  sheet.PressNext();
  EXPECT_EQ(kLicensePage, sheet.current());
  EXPECT_EQ(kButtonsBack, sheet.buttons());
  AcceptContract(true);
  EXPECT_EQ(kButtonsBackNext, sheet.buttons());

  const int expected[] = {
      /* 2 */ kButtonsBackNext, /* 3 */ kButtonsBackNext, /* 4 */ kButtonsBackNext,
      /* 5 */ kButtonsBackNext, /* 6 */ kButtonsBackNext, /* 7 */ kButtonsBack};
  for (int page = kHardwarePage; page <= kResultsPage; ++page) {
    sheet.PressNext();
    ASSERT_EQ(page, sheet.current());
    EXPECT_EQ(expected[page - kHardwarePage], sheet.buttons()) << "page " << page;
  }
  EXPECT_TRUE(sheet.cancelEnabled());

  flow.CreateAccount();  // the page's own rules are in its model's table
  EXPECT_EQ("results.CreateAccount", log.back());
  sheet.PressNext();
  EXPECT_EQ(kFinalPage, sheet.current());
  EXPECT_EQ(kButtonsFinish, sheet.buttons());
  EXPECT_FALSE(sheet.cancelEnabled());
  EXPECT_TRUE(Logged("results.LeaveForward"));  // the line is dropped on the way out

  EXPECT_EQ(0, toolbar.installs);
  sheet.PressFinish();
  EXPECT_TRUE(sheet.closed());
  EXPECT_EQ(1, toolbar.installs);

  EXPECT_EQ((Pages{1, 2, 3, 4, 5, 6, 7, 8}), sheet.restingPages());
  EXPECT_EQ((Pages{0, 1, 2, 3, 4, 5, 6, 7, 8}), sheet.activations());
  for (int page = 0; page < kWizardPageCount; ++page) EXPECT_EQ(1, sheet.initCount(page));
  EXPECT_EQ(1, license.contractLoads);
}

TEST_F(WizardFlowTest, ExistingUserNeverRestsOnTheOptionalDataPageEitherWay) {
  WalkTo(kUserTypePage);
  userType.newUser = false;
  sheet.PressNext();  // 3 -> 4
  sheet.PressNext();  // 4 -> 5
  sheet.PressNext();  // 5 -> over 6 -> 7
  EXPECT_EQ(kResultsPage, sheet.current());
  EXPECT_EQ(kButtonsBack, sheet.buttons());

  sheet.PressBack();  // 7 -> 5 directly
  EXPECT_EQ(kInterestsPage, sheet.current());
  EXPECT_EQ(kButtonsBackNext, sheet.buttons());
  sheet.PressBack();  // 5 -> 4
  sheet.PressNext();  // 4 -> 5
  sheet.PressNext();  // 5 -> over 6 -> 7
  EXPECT_EQ(kResultsPage, sheet.current());

  const Pages& rest = sheet.restingPages();
  EXPECT_EQ(rest.end(), std::find(rest.begin(), rest.end(), kOptionalDataPage));
  // Back from the results page does not even pass through the optional-data page.
  EXPECT_EQ((Pages{0, 1, 2, 3, 4, 5, 6, 7, 5, 4, 5, 6, 7}), sheet.activations());
  EXPECT_EQ(1, sheet.initCount(kOptionalDataPage));
}

TEST_F(WizardFlowTest, FetchedAccountLandsOnTheFinalPageThroughResultsAndCannotGoBack) {
  WalkTo(kUserTypePage);
  userType.newUser = false;
  userType.onValidate = [this] { flags.accountFetched = true; };
  sheet.PressNext();

  EXPECT_EQ(kFinalPage, sheet.current());
  EXPECT_EQ((Pages{0, 1, 2, 3, 7, 8}), sheet.activations());
  EXPECT_EQ(0, sheet.initCount(kPersonalDataPage));
  EXPECT_EQ(kButtonsFinish, sheet.buttons());
  EXPECT_FALSE(sheet.cancelEnabled());
  // Results: Finish and final actions on creation (not the disabled Finish), then Back on
  // activation, then the final page's Finish.
  const Pages& posted = sheet.postedButtons();
  ASSERT_GE(posted.size(), 3u);
  EXPECT_EQ((Pages{kButtonsFinish, kButtonsBack, kButtonsFinish}),
            Pages(posted.end() - 3, posted.end()));
  // The final actions run while the user-type page still holds its line.
  ASSERT_TRUE(Logged("results.StartFinalActions"));
  ASSERT_TRUE(Logged("userType.LeaveForward"));
  EXPECT_LT(IndexOf("results.StartFinalActions"), IndexOf("userType.LeaveForward"));

  size_t postedBefore = posted.size();
  EXPECT_EQ(PageMove::kStay, flow.Back(kResultsPage));
  EXPECT_EQ(postedBefore, sheet.postedButtons().size());
  EXPECT_EQ(kFinalPage, sheet.current());
}

TEST_F(WizardFlowTest, NewUserGoesBackFromResultsToOptionalData) {
  WalkTo(kResultsPage);
  EXPECT_TRUE(Logged("results.Init"));
  EXPECT_FALSE(Logged("results.StartFinalActions"));
  EXPECT_EQ(kButtonsBackDisabledFinish, sheet.postedButtons().end()[-2]);  // init, then Show
  sheet.PressBack();
  EXPECT_EQ(kOptionalDataPage, sheet.current());
  EXPECT_EQ(kButtonsBackNext, sheet.buttons());
}

TEST_F(WizardFlowTest, BackFromTheContractShowsNextAlone) {
  WalkTo(kLicensePage);
  AcceptContract(true);
  sheet.PressBack();
  EXPECT_EQ(kWelcomePage, sheet.current());
  EXPECT_EQ(kButtonsNext, sheet.buttons());
  EXPECT_EQ(1, sheet.initCount(kWelcomePage));
  EXPECT_EQ(1, welcome.selections);  // going back keeps the user's choice
}

TEST_F(WizardFlowTest, ContractGatesNextAndRemembersTheChoiceAcrossBackAndNext) {
  WalkTo(kLicensePage);
  EXPECT_EQ(kButtonsBack, sheet.buttons());
  sheet.PressNext();  // a press that reaches a page whose Next is disabled
  EXPECT_EQ(kLicensePage, sheet.current());

  AcceptContract(true);
  EXPECT_EQ(kButtonsBackNext, sheet.buttons());
  AcceptContract(false);
  EXPECT_EQ(kButtonsBack, sheet.buttons());
  AcceptContract(true);

  sheet.PressBack();
  sheet.PressNext();
  EXPECT_EQ(kLicensePage, sheet.current());
  EXPECT_EQ(kButtonsBackNext, sheet.buttons());

  AcceptContract(false);
  sheet.PressBack();
  sheet.PressNext();
  EXPECT_EQ(kButtonsBack, sheet.buttons());
  EXPECT_EQ(1, license.contractLoads);

  AcceptContract(true);
  sheet.PressNext();
  EXPECT_EQ(kHardwarePage, sheet.current());
}

TEST_F(WizardFlowTest, WelcomeChoiceSetsAndClearsTheFlagAtNextOnly) {
  sheet.Start();
  EXPECT_FALSE(welcome.notConnected);  // "Ahora estoy conectado a Internet" preselected
  EXPECT_FALSE(flags.alreadyConnected);
  sheet.PressNext();
  EXPECT_TRUE(flags.alreadyConnected);

  sheet.PressBack();
  welcome.notConnected = true;
  EXPECT_TRUE(flags.alreadyConnected);  // nothing happens before Next
  sheet.PressNext();
  EXPECT_FALSE(flags.alreadyConnected);

  sheet.PressBack();
  welcome.notConnected = false;
  sheet.PressNext();
  EXPECT_TRUE(flags.alreadyConnected);
}

TEST_F(WizardFlowTest, WelcomePreselectsTheOtherChoiceWhenTheFlagIsAlreadySet) {
  flags.alreadyConnected = true;
  sheet.Start();
  EXPECT_TRUE(welcome.notConnected);
}

TEST_F(WizardFlowTest, FailedValidationKeepsThePageUntilItPasses) {
  ScriptedPage* pages[] = {&hardware, &userType, &personal, &interests, &optional};
  WalkTo(kHardwarePage);
  for (ScriptedPage* page : pages) {
    int here = sheet.current();
    page->validates = false;
    sheet.PressNext();
    EXPECT_EQ(here, sheet.current());
    page->validates = true;
    sheet.PressNext();
    EXPECT_EQ(here + 1, sheet.current());
  }
  ASSERT_EQ(kResultsPage, sheet.current());
  results.validates = false;  // no account yet
  sheet.PressNext();
  EXPECT_EQ(kResultsPage, sheet.current());
  EXPECT_FALSE(Logged("results.LeaveForward"));
}

TEST_F(WizardFlowTest, FetchWithoutAnAccountGoesOnToThePersonalData) {
  WalkTo(kUserTypePage);
  userType.validates = false;
  userType.onValidate = [this] { flags.accountFetched = true; };
  sheet.PressNext();  // refused: no redirect either
  EXPECT_EQ(kUserTypePage, sheet.current());
  EXPECT_EQ(0, sheet.initCount(kResultsPage));
  userType.validates = true;
  userType.onValidate = nullptr;
  sheet.PressNext();
  EXPECT_EQ(kPersonalDataPage, sheet.current());
}

TEST_F(WizardFlowTest, MachineThatCannotDialGetsBackOnlyOnEveryVisit) {
  hardware.canGoOn = false;
  WalkTo(kLicensePage);
  AcceptContract(true);
  sheet.PressNext();
  EXPECT_EQ(kHardwarePage, sheet.current());
  EXPECT_EQ(kButtonsBack, sheet.buttons());
  sheet.PressBack();
  EXPECT_EQ(kLicensePage, sheet.current());
  // Hardware's Back posts Back+Next, then the contract page's Show posts from its choice.
  const Pages& posted = sheet.postedButtons();
  EXPECT_EQ((Pages{kButtonsBackNext, kButtonsBackNext}), Pages(posted.end() - 2, posted.end()));
  sheet.PressNext();
  EXPECT_EQ(kButtonsBack, sheet.buttons());
  EXPECT_EQ(1, sheet.initCount(kHardwarePage));
  EXPECT_EQ(2, std::count(log.begin(), log.end(), "hardware.Show"));
}

TEST_F(WizardFlowTest, PagesOutsideTheTableAreIgnored) {
  EXPECT_EQ(PageMove::kStay, flow.Next(-1));
  EXPECT_EQ(PageMove::kStay, flow.Back(kWizardPageCount));
  EXPECT_FALSE(flow.Finish(kWizardPageCount));
  flow.Init(kWizardPageCount);
  flow.Show(-1);
  EXPECT_TRUE(sheet.postedButtons().empty());
  EXPECT_TRUE(log.empty());
}

}  // namespace
}  // namespace marvella::test
