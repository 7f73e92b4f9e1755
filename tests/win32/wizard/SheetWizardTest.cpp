// Start-up steps 5 to 7 with the real wizard: InstallerApp::Run builds the sheet, records
// the wizard, runs the toolbar installation once, then the sheet modally; the pages write
// the application's own flags; the results page signs the user up with the reference
// service; Finish installs the toolbar again; nothing survives the run.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <thread>

#include "common/OperatorSettings.h"
#include "common/ProfileReader.h"
#include "common/win32/MessageBoxSink.h"
#include "installer/InstallerApp.h"
#include "installer/win32/SheetWizard.h"
#include "installer/win32/WizardResource.h"
#include "signup/win32/WinsockLineChannel.h"
#include "tests/unit/common/RecordingMessageSink.h"
#include "tests/win32/support/RecordingBrowser.h"
#include "tests/win32/support/RemoteAccessKey.h"
#include "tests/win32/support/WindowDriver.h"
#include "tests/win32/wizard/DataPagesFill.h"
#include "tests/win32/wizard/WizardUnderTest.h"
// Last: it brings the SDK's remote-access header, whose macros would rename the kit's own
// records declared above.
#include "simulators/ras/RasSimulatorSession.h"

namespace marvella::test {
namespace {

class QuietPlatform final : public StartupPlatform {
 public:
  void PrepareUserInterface() override {}
  bool StartSockets() override { return StartWinsock(); }  // the results page signs up
  std::string ProgramPath() override { return "C:\\Marvella\\install.exe"; }
  std::string CommandLine() override { return "install.exe"; }
  ProfileSource& OpenProfile(const std::string&) override {
    const char* port = std::getenv("MARVELLA_DEVSERVICE_USER_PORT");
    reader_ = std::make_unique<ProfileReader>(
        "[UserServer]\r\nProfileName=Alta\r\nServer_IP=127.0.0.1\r\nServer_Port=" +
        std::string(port ? port : "") + "\r\n"
        "[Nodes]\r\nCity1=Acceso nacional\r\nState1=Zonas sin nodo local\r\n"
        "Phone1=" MARVELLA_DEFAULT_ACCESS_NUMBER "\r\n"
        "City2=Madrid\r\nState2=Madrid\r\nPhone2=900100100\r\n");
    return *reader_;
  }
  MessageSink& Messages() override { return messages; }
  RecordingMessageSink messages;

 private:
  std::unique_ptr<ProfileReader> reader_;
};

// Counts the installations, and whether the wizard was already showing at the first one.
class CountingToolbar final : public ToolbarLibraryInstaller {
 public:
  bool InstallToolbarLibrary() override {
    // Only this process's windows: parallel tests share the Wine session.
    if (installs.fetch_add(1) == 0)
      sheetVisibleAtFirst = WaitForWindow("#32770", nullptr, 0) != nullptr;
    return true;
  }
  std::atomic<int> installs{0};
  bool sheetVisibleAtFirst = true;
};

// InstallerApp::Run with the real wizard on a thread of its own, as install.exe runs it.
struct StartUp {
  // The sheet once it shows (null if it never does).
  HWND Sheet() { return WaitForWindow("#32770", kPageTitles[kWelcomePage], 60000); }
  bool End() {
    if (!Eventually([&] { return ended.load(); })) return false;
    run.join();
    return true;
  }
  InstallerApp app;
  QuietPlatform platform;
  CountingToolbar toolbar;
  SheetWizard wizard{GetModuleHandleA(nullptr), &toolbar};
  std::atomic<bool> ended{false};
  std::thread run{[this] {
    app.Run(platform, wizard);
    ended = true;
  }};
};

TEST(SheetWizard, StartUpRunsTheSheetAndTheToolbarInstallationOnceBeforeIt) {
  RemoteAccessConfigured remoteAccess;
  rassim::RasSimulatorSession modem;  // the fresh service: one modem
  ASSERT_TRUE(UseRecordingBrowser());  // the portal's first visit
  StartUp start;
  HWND sheet = start.Sheet();
  ASSERT_NE(nullptr, sheet);
  EXPECT_EQ(1, start.toolbar.installs.load()) << "step 6 runs once, before the wizard shows";
  EXPECT_FALSE(start.toolbar.sheetVisibleAtFirst);
  EXPECT_TRUE(start.platform.messages.shown.empty());

  // The welcome page writes the application's flag.
  PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
  ASSERT_TRUE(Eventually([&] { return WindowText(sheet) == kPageTitles[kLicensePage]; }));
  EXPECT_TRUE(start.app.flags.alreadyConnected);
  SendMessageA(GetDlgItem(CurrentPage(sheet), IDC_ACCEPT), BM_CLICK, 0, 0);
  for (int page = kLicensePage; page < kFinalPage; ++page) {
    if (page == kHardwarePage)  // the generic node, the shipped install.ini's one node
      SendMessageA(GetDlgItem(CurrentPage(sheet), IDC_HW_GENERIC_NODE), BM_CLICK, 0, 0);
    if (page == kResultsPage) {  // posted: the box holds the page until it is answered
      PostMessageA(GetDlgItem(CurrentPage(sheet), IDC_RS_CREATE), BM_CLICK, 0, 0);
      // This program carries no monitor to write: no "configured" notice, and the failure
      // named in one box.
      HWND box = WaitForWindow("#32770", ProgramFileName().c_str(), 60000);
      ASSERT_NE(nullptr, box) << ControlText(CurrentPage(sheet), IDC_RS_PROGRESS);
      EXPECT_EQ("La instalación no se ha completado. Estos pasos no se han podido realizar:\n\n"
                "No se ha podido guardar el programa marvella.exe.",
                MessageBoxText(box));
      PressButton(box, IDOK);
    }
    ASSERT_TRUE(Eventually([&] { return Usable(sheet, kNextButton); })) << "page " << page;
    if (page == kPersonalDataPage) FillPersonalData(CurrentPage(sheet));
    if (page == kInterestsPage) AnswerInterests(CurrentPage(sheet));
    HWND before = CurrentPage(sheet);
    PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
    ASSERT_TRUE(Eventually([&] { return CurrentPage(sheet) != before; })) << "page " << page;
  }
  ASSERT_TRUE(Eventually([&] { return Usable(sheet, kFinishButton); }));
  PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
  ASSERT_TRUE(start.End()) << "Finish did not end start-up";
  // The prefix's desktop is the Unix user's home: the walk's shortcut does not stay there.
  char desktop[MAX_PATH] = {};
  DWORD size = sizeof desktop - 1;
  RegGetValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
               "Desktop", RRF_RT_REG_SZ, nullptr, desktop, &size);
  DeleteFileA((std::string(desktop) + "\\" + start.app.account.profileName + ".LNK").c_str());
  EXPECT_EQ(2, start.toolbar.installs.load()) << "Finish installs the toolbar again";
  EXPECT_EQ(nullptr, start.app.wizard);
  EXPECT_EQ(nullptr, start.wizard.Sheet()) << "the sheet and its pages are gone after the run";
}

TEST(SheetWizard, CancelEndsStartUpWithOnlyTheFirstToolbarInstallation) {
  StartUp start;
  HWND sheet = start.Sheet();
  ASSERT_NE(nullptr, sheet);
  EXPECT_EQ(&start.wizard, start.app.wizard) << "the wizard is recorded while it runs";
  PressButton(sheet, IDCANCEL);
  ASSERT_TRUE(start.End());
  EXPECT_EQ(1, start.toolbar.installs.load());
  EXPECT_FALSE(start.app.flags.alreadyConnected) << "the welcome page's choice counts at Next only";
}

}  // namespace
}  // namespace marvella::test
