// The hardware page on a machine without remote access (Wine told to load no rasapi32.dll):
// the environment check's notice comes up, owned by the wizard, and Next is gone for the
// rest of the run.
#include <windows.h>

#include <gtest/gtest.h>

#include "installer/win32/WizardResource.h"
#include "tests/win32/support/Screenshot.h"
#include "tests/win32/support/WindowDriver.h"
#include "tests/win32/wizard/WizardUnderTest.h"

namespace marvella::test {
namespace {

TEST(HardwarePage, WithoutRemoteAccessTheNoticeShowsAndNextNeverComesBack) {
  WizardUnderTest w(WizardSeams(), [&](WizardSheet&) { w.app.winsockReady = true; }, true);
  w.Press(PSBTN_NEXT);
  w.Click(IDC_ACCEPT);
  w.Press(PSBTN_NEXT);
  ASSERT_EQ(kHardwarePage, w.PageIndex());

  HWND notice = WaitForWindow("#32770", "Acceso a redes no configurado", 60000);
  ASSERT_NE(nullptr, notice) << "the environment check said nothing";
  EXPECT_EQ(w.sheet(), GetWindow(notice, GW_OWNER));
  EXPECT_EQ("Aceptar", ControlText(notice, IDOK));
  EXPECT_FALSE(SaveWindowScreenshot(notice, "hardware-no-remote-access").empty());
  PressButton(notice, IDOK);
  w.Settle();
  const ButtonState backOnly{true, false, false, true};
  EXPECT_EQ(backOnly, w.Buttons());

  for (int visit = 0; visit < 2; ++visit) {
    w.Press(PSBTN_BACK);
    ASSERT_EQ(kLicensePage, w.PageIndex());
    w.Press(PSBTN_NEXT);
    ASSERT_EQ(kHardwarePage, w.PageIndex());
    EXPECT_EQ(backOnly, w.Buttons()) << "visit " << visit;
  }
  EXPECT_EQ(nullptr, WaitForWindow("#32770", "Acceso a redes no configurado", 0))
      << "the check runs once per run";
}

}  // namespace
}  // namespace marvella::test
