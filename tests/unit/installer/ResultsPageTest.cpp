// The results page's rules without windows: what each outcome of "&Crear cuenta" and a
// fetched account leave (progress, boxes, final actions, the account shown, Next, the line
// held), and what the page leaves behind when it goes. The window walks check the wiring.
#include "installer/ResultsPageModel.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/unit/common/RecordingMessageSink.h"
#include "tests/unit/dialup/FakeRas.h"

namespace marvella::test {
namespace {

using Lines = std::vector<std::string>;

// The page around the model: the machine and the account frame log operation names, and
// the sign-up conversation answers from a script after pressing "&Crear cuenta" again, as
// a click pumped by its dialogs would.
struct Page final : FinalActionsPlatform, AccountDisplay, NewUserRegistrar, WizardFrame {
  bool CreateDialEntry(const DialEntrySettings&) override { return Log("entry"); }
  std::string WindowsDirectory() override { return "C:\\WINDOWS"; }
  bool WriteMonitorProgram(const std::string&) override { return Log("monitor"); }
  std::string DesktopDirectory() override { return "C:\\Escritorio"; }
  bool SaveShortcut(const ShortcutSettings&) override { return Log("shortcut"); }
  bool OpenAddress(const std::string&) override { return Log("open"); }
  bool SetStartPage(const std::string&) override { return Log("start"); }
  void ShowAccount(const ShownAccount& a) override { Log("show " + a.userName); }
  void DisableCreateAccount() override { Log("disable"); }
  SignUpResult RegisterNewUser(std::string& errorText) override {
    inner = Press();
    errorText = reason;
    if (result == SignUpResult::Accepted) app.account.userid = "ana.p";
    return result;
  }
  void PostButtons(WizardButtons posted) override { buttons = posted; }
  void MakeCurrent(WizardPage) override { Log("page moved"); }
  void EnableCancel(bool enabled) override { cancel = enabled; }
  bool Log(const std::string& what) {
    log.push_back(what);
    return true;
  }
  CreateAccountOutcome Press() { return model.CreateAccount(ras, sleeper, *this, *this); }

  SignUpResult result = SignUpResult::Accepted;
  std::string reason;
  CreateAccountOutcome inner = CreateAccountOutcome::kAccepted;
  Lines log;
  WizardButtons buttons = kButtonsBack;  // as the page shows before the account exists
  bool cancel = true;
  InstallerApp app;
  RecordingMessageSink messages;
  RecordingProgress progress;
  RecordingSleeper sleeper;
  FakeRas ras{sleeper};
  ResultsPageModel model{app, ResultsPageParts{*this, *this, messages, progress}};
};

Lines Then(Lines lines, const Lines& more) {
  lines.insert(lines.end(), more.begin(), more.end());
  return lines;
}

TEST(ResultsPage, EveryOutcome) {
  const Lines kOnLine = {"Llamando al 0915550001", "Conectando", "Conectando"};
  const Lines kActions = {"entry", "monitor", "shortcut", "show ana.p", "disable", "open", "start"};
  const char kUnreachable[] = "No se pudo establecer conexion con el servidor";
  struct Case {
    const char* name;
    bool fetched;  // the account came from the user-type page: no press
    std::uint32_t dialResult;
    SignUpResult result;
    const char* reason;
    CreateAccountOutcome outcome;
    Lines progress;
    unsigned message;  // string shown, 0 for none
    const char* text;  // its start
    bool actions, next;
    RasConnHandle heldAfter;
  } cases[] = {
      {"busy line", false, 676, SignUpResult::Accepted, "", CreateAccountOutcome::kNotOnLine,
       {"Llamando al 0915550001", "Error 676: la línea está ocupada."}, 0, "", false, false, 0x51},
      {"unreachable", false, 0, SignUpResult::Failed, "No hay respuesta de 10.0.0.9",
       CreateAccountOutcome::kFailed, Then(kOnLine, {kUnreachable, "No hay respuesta de 10.0.0.9"}),
       0, "", false, false, 0x51},
      {"retry cancelled", false, 0, SignUpResult::Failed, "", CreateAccountOutcome::kFailed,
       Then(kOnLine, {kUnreachable}), 0, "", false, false, 0x51},
      {"the other conversation's answer", false, 0, SignUpResult::AccountExists, "",
       CreateAccountOutcome::kFailed, Then(kOnLine, {kUnreachable}), 0, "", false, false, 0x51},
      {"refused", false, 0, SignUpResult::Refused, "BUSY", CreateAccountOutcome::kRefused, kOnLine,
       13, "Error en la negociación de la información de usuario.\nMotivo: BUSY", false, false,
       0x51},
      {"accepted", false, 0, SignUpResult::Accepted, "", CreateAccountOutcome::kAccepted, kOnLine,
       22, "La conexión ha sido creada.", true, true, 0x51},
      {"account fetched", true, 0, SignUpResult::Accepted, "", CreateAccountOutcome::kAccepted, {},
       22, "La conexión ha sido creada.", true, true, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Page page;
    page.app.account.dialPrefix = "0";
    page.app.account.dialupnum = "915550001";
    page.app.flags.accountFetched = c.fetched;
    page.ras.dialResult = c.dialResult;
    page.result = c.result;
    page.reason = c.reason;
    ResultsPageModel& model = page.model;
    if (c.fetched) {
      page.app.account.userid = "ana.p";
      model.RunFetchedMachineSteps();
      EXPECT_EQ(Lines(kActions.begin(), kActions.begin() + 3), page.log) << "machine steps first";
      model.RunFetchedDisplaySteps();
    } else {
      EXPECT_FALSE(model.Next()) << "no account before the press";
      EXPECT_EQ(c.outcome, page.Press());
      EXPECT_FALSE(model.Busy());
      EXPECT_EQ(1, std::count(page.ras.calls.begin(), page.ras.calls.end(), "RasDial"));
      if (c.dialResult == 0) {
        EXPECT_EQ(CreateAccountOutcome::kIgnored, page.inner) << "a press inside the press";
      }
    }
    EXPECT_EQ(c.progress, page.progress.lines);
    ASSERT_EQ(c.message ? 1u : 0u, page.messages.shown.size());
    if (c.message) {
      const ShownMessage& shown = page.messages.shown[0];
      EXPECT_EQ(c.message, shown.stringId);
      EXPECT_EQ(0u, shown.text.find(c.text)) << shown.text;
      EXPECT_STREQ(c.message == 13 ? "Instalador" : "Acceso creado", shown.style.caption);
    }
    EXPECT_EQ(c.actions ? kActions : Lines(), page.log);
    EXPECT_EQ(c.next, model.Next());
    // A press that made the account leaves only the way forward; a fetched account's
    // buttons are the flow's (it arrives from page 3).
    const bool madeHere = c.next && !c.fetched;
    EXPECT_EQ(madeHere ? kButtonsNext : kButtonsBack, page.buttons);
    EXPECT_EQ(!madeHere, page.cancel);
    EXPECT_EQ(c.heldAfter, model.Connection());
  }
}

// Leaving forward hangs up; going away also deletes the temporary entry, unless the user's
// own entry has its name.
TEST(ResultsPage, WhatItLeavesWhenItGoes) {
  const struct {
    const char *signUpEntry, *userEntry;
    Lines calls;
  } cases[] = {
      {"Marvella Alta", "Mi Marvella", {"RasHangUp", "RasDeleteEntry"}},
      {"Marvella Alta", "MARVELLA ALTA", {"RasHangUp"}},
      {"", "Mi Marvella", {"RasHangUp"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.userEntry);
    Page page;
    page.app.config.signUpEntryName = c.signUpEntry;
    page.app.account.profileName = c.userEntry;
    ASSERT_EQ(CreateAccountOutcome::kAccepted, page.Press());
    page.ras.calls.clear();
    page.sleeper.waits.clear();
    page.model.Release(page.ras, page.sleeper);
    page.model.Close(page.ras, page.sleeper);
    EXPECT_EQ(c.calls, page.ras.calls) << "one hang-up, at leaving";
    EXPECT_EQ((std::vector<unsigned>{2000, 2500}), page.sleeper.waits);
    EXPECT_EQ(0, page.model.Connection());
    if (c.calls.size() == 2) {
      EXPECT_EQ(c.signUpEntry, page.ras.names.back());
    }
  }
}

}  // namespace
}  // namespace marvella::test
