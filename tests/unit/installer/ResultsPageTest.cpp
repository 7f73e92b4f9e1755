// The results page's rules without windows: what each outcome of "&Crear cuenta" and a
// fetched account leave (progress, boxes, final actions, the account shown, Next, the line
// held), and what the page leaves behind when it goes. The window walks check the wiring.
#include "installer/ResultsPageModel.h"

#include <gtest/gtest.h>

#include "tests/unit/common/RecordingMessageSink.h"
#include "tests/unit/dialup/FakeRas.h"

namespace marvella::test {
namespace {

using Lines = std::vector<std::string>;

Lines Then(Lines lines, const Lines& more) {
  lines.insert(lines.end(), more.begin(), more.end());
  return lines;
}

// The machine and the page's account frame in one log of operation names.
struct LoggingPage final : FinalActionsPlatform, AccountDisplay {
  bool CreateDialEntry(const DialEntrySettings&) override { return Log("entry"); }
  std::string WindowsDirectory() override { return "C:\\WINDOWS"; }
  bool WriteMonitorProgram(const std::string&) override { return Log("monitor"); }
  std::string DesktopDirectory() override { return "C:\\Escritorio"; }
  bool SaveShortcut(const ShortcutSettings&) override { return Log("shortcut"); }
  bool OpenAddress(const std::string&) override { return Log("open"); }
  bool SetStartPage(const std::string&) override { return Log("start"); }
  void ShowAccount(const ShownAccount& a) override { Log("show " + a.userName); }
  void DisableCreateAccount() override { Log("disable"); }
  bool Log(const std::string& what) {
    log.push_back(what);
    return true;
  }
  Lines log;
};

// The sign-up conversation from a script; it presses "&Crear cuenta" again while it runs,
// as a click pumped by its dialogs would.
struct ScriptedRegistrar : NewUserRegistrar {
  SignUpResult RegisterNewUser(std::string& errorText) override {
    inner = model->CreateAccount(*ras, *sleeper, *this);
    errorText = reason;
    if (result == SignUpResult::Accepted) app->account.userid = "ana.p";
    return result;
  }
  SignUpResult result = SignUpResult::Accepted;
  std::string reason;
  ResultsPageModel* model = nullptr;
  InstallerApp* app = nullptr;
  RasOperations* ras = nullptr;
  Sleeper* sleeper = nullptr;
  CreateAccountOutcome inner = CreateAccountOutcome::kAccepted;
};

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
    InstallerApp app;
    app.account.dialPrefix = "0";
    app.account.dialupnum = "915550001";
    app.flags.accountFetched = c.fetched;
    LoggingPage page;
    RecordingMessageSink messages;
    RecordingProgress progress;
    ResultsPageModel model(app, ResultsPageParts{page, page, messages, progress});
    RecordingSleeper sleeper;
    FakeRas ras(sleeper);
    ras.dialResult = c.dialResult;
    ScriptedRegistrar registrar;
    registrar.result = c.result;
    registrar.reason = c.reason;
    registrar.model = &model;
    registrar.app = &app;
    registrar.ras = &ras;
    registrar.sleeper = &sleeper;

    if (c.fetched) {
      app.account.userid = "ana.p";
      model.RunFetchedMachineSteps();
      EXPECT_EQ(Lines(kActions.begin(), kActions.begin() + 3), page.log) << "machine steps first";
      model.RunFetchedDisplaySteps();
    } else {
      EXPECT_FALSE(model.Next()) << "no account before the press";
      EXPECT_EQ(c.outcome, model.CreateAccount(ras, sleeper, registrar));
      EXPECT_FALSE(model.Busy());
      int dials = 0;
      for (const std::string& call : ras.calls) dials += call == "RasDial";
      EXPECT_EQ(1, dials);
      if (c.dialResult == 0) {
        EXPECT_EQ(CreateAccountOutcome::kIgnored, registrar.inner) << "a press inside the press";
      }
    }
    EXPECT_EQ(c.progress, progress.lines);
    ASSERT_EQ(c.message ? 1u : 0u, messages.shown.size());
    if (c.message) {
      EXPECT_EQ(c.message, messages.shown[0].stringId);
      EXPECT_EQ(0u, messages.shown[0].text.find(c.text)) << messages.shown[0].text;
      EXPECT_STREQ(c.message == 13 ? "Instalador" : "Acceso creado", messages.shown[0].style.caption);
    }
    EXPECT_EQ(c.actions ? kActions : Lines(), page.log);
    EXPECT_EQ(c.next, model.Next());
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
    InstallerApp app;
    app.config.signUpEntryName = c.signUpEntry;
    app.account.profileName = c.userEntry;
    LoggingPage page;
    RecordingMessageSink messages;
    RecordingProgress progress;
    ResultsPageModel model(app, ResultsPageParts{page, page, messages, progress});
    RecordingSleeper sleeper;
    FakeRas ras(sleeper);
    ScriptedRegistrar registrar;
    registrar.model = &model;
    registrar.app = &app;
    registrar.ras = &ras;
    registrar.sleeper = &sleeper;
    ASSERT_EQ(CreateAccountOutcome::kAccepted, model.CreateAccount(ras, sleeper, registrar));
    ras.calls.clear();
    sleeper.waits.clear();
    model.Release(ras, sleeper);
    model.Close(ras, sleeper);
    EXPECT_EQ(c.calls, ras.calls) << "one hang-up, at leaving";
    EXPECT_EQ((std::vector<unsigned>{2000, 2500}), sleeper.waits);
    EXPECT_EQ(0, model.Connection());
    if (c.calls.size() == 2) {
      EXPECT_EQ(c.signUpEntry, ras.names.back());
    }
  }
}

}  // namespace
}  // namespace marvella::test
