// The user-type page's rules without windows: the modes and the clean-start request, each
// outcome of "&Obtener datos" (messages, flags, dialling and hanging up), and Next.
#include "installer/UserTypePageModel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/unit/common/RecordingMessageSink.h"
#include "tests/unit/dialup/FakeRas.h"

namespace marvella::test {
namespace {

class ScriptedFetcher : public ExistingUserFetcher {
 public:
  SignUpResult FetchExistingUser(std::string& errorText) override {
    ++calls;
    errorText = error;
    return result;
  }
  SignUpResult result = SignUpResult::Accepted;
  std::string error;
  int calls = 0;
};

InstallerApp SignUpApp() {
  InstallerApp app;
  app.config.signUpEntryName = "Marvella Alta";
  app.account.dialPrefix = "0";
  app.account.dialupnum = "915550001";
  app.deviceType = "modem";
  app.deviceName = "Módem estándar";
  return app;
}

TEST(UserTypeModes, NewUserAsksForACleanStartAndExistingUserWithdrawsIt) {
  InstallerApp app;
  UserTypePageModel model(app);
  model.ChooseNewUser();
  EXPECT_EQ("1", app.user.alta);
  EXPECT_TRUE(app.flags.cleanStartRequested);
  EXPECT_TRUE(model.IsNewUser());
  model.ChooseExistingUser();
  EXPECT_EQ("0", app.user.alta);
  EXPECT_FALSE(app.flags.cleanStartRequested);
  EXPECT_FALSE(model.IsNewUser());
}

TEST(UserTypeFetch, EachOutcome) {
  const char kFetched[] = "Información del usuario obtenida.\nPuede continuar con la instalación.";
  struct Case {
    const char* name;
    const char* identifier;
    const char* password;
    bool alreadyConnected;
    std::uint32_t dialResult;
    SignUpResult result;
    unsigned message;  // string shown (0: none)
    std::string text;
    MessageIcon icon;
    bool conversation, accountFlags;
    std::vector<std::string> progress;
    std::vector<unsigned> waits;
    RasConnHandle heldAfter;
  } cases[] = {
      {"capital in the identifier", "Ana", "pw", false, 0, SignUpResult::Accepted, 24, "",
       MessageIcon::kWarning, false, false, {}, {}, 0},
      {"empty password", "ana", "", false, 0, SignUpResult::Accepted, 8,
       "El campo contraseña debe contener al menos 1 caracteres", MessageIcon::kWarning, false,
       false, {}, {}, 0},
      {"line busy", "ana", "pw", false, 676, SignUpResult::Accepted, 0, "", MessageIcon::kNone,
       false, false, {"Llamando al 0915550001", "Error 676: la línea está ocupada."}, {}, 0x51},
      {"data fetched", "ana", "pw", false, 0, SignUpResult::Accepted, 14, kFetched,
       MessageIcon::kInformation, true, false,
       {"Llamando al 0915550001", "Conectando", "Conectando"}, {2000, 2000}, 0},
      {"account exists", "ana", "pw", false, 0, SignUpResult::AccountExists, 14, kFetched,
       MessageIcon::kInformation, true, true,
       {"Llamando al 0915550001", "Conectando", "Conectando"}, {2000, 2000}, 0},
      {"refused", "ana", "pw", false, 0, SignUpResult::Failed, 13,
       "Error en la negociación de la información de usuario.\nMotivo: clave mala",
       MessageIcon::kWarning, true, false,
       {"Llamando al 0915550001", "Conectando", "Conectando"}, {2000, 2000}, 0},
      {"already on line", "ana", "pw", true, 0, SignUpResult::Accepted, 14, kFetched,
       MessageIcon::kInformation, true, false,
       {"Abriendo conexión con host remoto...", "Conectando", "Conectando"}, {}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    InstallerApp app = SignUpApp();
    app.flags.alreadyConnected = c.alreadyConnected;
    UserTypePageModel model(app);
    model.ChooseExistingUser();
    RecordingSleeper sleeper;
    FakeRas ras(sleeper);
    ras.dialResult = c.dialResult;
    RecordingProgress progress;
    RecordingMessageSink messages;
    ScriptedFetcher fetcher;
    fetcher.result = c.result;
    fetcher.error = "clave mala";
    FetchServices services{ras, progress, sleeper, messages, fetcher};
    model.Fetch({true, c.identifier, c.password}, services);

    EXPECT_TRUE(app.flags.fetchPressed);
    ASSERT_EQ(c.message ? 1u : 0u, messages.shown.size());
    if (c.message) {
      EXPECT_EQ(c.message, messages.shown[0].stringId);
      if (!c.text.empty()) {
        EXPECT_EQ(c.text, messages.shown[0].text);
      }
      EXPECT_EQ(c.icon, messages.shown[0].style.icon);
    }
    EXPECT_EQ(c.conversation ? 1 : 0, fetcher.calls);
    EXPECT_EQ(c.accountFlags, app.flags.existingAccount);
    EXPECT_EQ(c.accountFlags, app.flags.accountFetched);
    EXPECT_EQ(c.progress, progress.lines);
    EXPECT_EQ(c.waits, sleeper.waits);
    EXPECT_EQ(c.heldAfter, model.Connection());
    if (c.message != 24) {
      EXPECT_EQ(c.identifier, app.user.userid);
    }
  }
}

TEST(UserTypeFetch, ASecondPressHangsUpTheFailedCallFirstAndTheLineGoesWithThePage) {
  InstallerApp app = SignUpApp();
  UserTypePageModel model(app);
  RecordingSleeper sleeper;
  FakeRas ras(sleeper);
  ras.dialResult = 676;
  RecordingProgress progress;
  RecordingMessageSink messages;
  ScriptedFetcher fetcher;
  FetchServices services{ras, progress, sleeper, messages, fetcher};
  model.Fetch({true, "ana", "pw"}, services);
  ras.dialHandle = 0x52;
  ras.state = 0x1000;  // placed, not yet connected: kept for the page to drop
  ras.dialResult = 0;
  model.Fetch({true, "ana", "pw"}, services);
  EXPECT_EQ((std::vector<RasConnHandle>{0x51}), ras.hungUp);
  EXPECT_EQ((std::vector<RasConnHandle>{0, 0}), ras.dialInputHandles);
  EXPECT_EQ((std::vector<unsigned>{2000}), sleeper.waits);  // the binding's only
  EXPECT_EQ(0, fetcher.calls);
  EXPECT_EQ(RasConnHandle(0x52), model.Connection());
  model.Release(ras, sleeper);
  EXPECT_EQ((std::vector<unsigned>{2000, 2000, 2000}), sleeper.waits);
  EXPECT_EQ(RasConnHandle(0), model.Connection());
}

TEST(UserTypeNext, Rules) {
  const char kFetchFirst[] = "Debes hacer clic en el botón de obtención de datos para continuar";
  struct Case {
    const char* name;
    bool existingSelected, fetchPressed, existingAccount;
    const char* identifier;
    bool moves;
    std::string message;
    const char* alta;
  } cases[] = {
      {"new user", false, false, false, "", true, "", "1"},
      {"existing user without a fetch", true, false, false, "ana", false, kFetchFirst, "0"},
      {"a failed fetch counts", true, true, false, "ana", true, "", "0"},
      {"identifier changed to a bad one", true, true, false, "1ana", false,
       "Caracteres permitidos", "0"},
      {"fetched account, then new user chosen", false, true, true, "", true, "", "0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    InstallerApp app;
    app.flags.fetchPressed = c.fetchPressed;
    app.flags.existingAccount = c.existingAccount;
    UserTypePageModel model(app);
    RecordingMessageSink messages;
    EXPECT_EQ(c.moves, model.Next({c.existingSelected, c.identifier, "pw"}, messages));
    EXPECT_EQ(c.alta, app.user.alta);
    EXPECT_EQ(c.message.empty() ? 0u : 1u, messages.shown.size());
    if (!messages.shown.empty()) {
      EXPECT_EQ(0u, messages.shown[0].text.find(c.message));
    }
  }
}

}  // namespace
}  // namespace marvella::test
