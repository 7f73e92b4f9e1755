// The user-type page's rules without windows: what each outcome of "&Obtener datos" leaves
// (message, flags, progress, waits, the line held), and Next. The window walk shows texts.
#include "installer/UserTypePageModel.h"

#include <gtest/gtest.h>

#include "tests/unit/common/RecordingMessageSink.h"
#include "tests/unit/dialup/FakeRas.h"

namespace marvella::test {
namespace {

struct ScriptedFetcher : ExistingUserFetcher {
  SignUpResult FetchExistingUser(std::string&) override { return ++calls, result; }
  SignUpResult result = SignUpResult::Accepted;
  int calls = 0;
};

TEST(UserTypeFetch, EachOutcome) {
  using Lines = std::vector<std::string>;
  const Lines kOnLine = {"Llamando al 0915550001", "Conectando", "Conectando"};
  struct Case {
    const char *name, *identifier, *password;
    bool alreadyConnected;
    std::uint32_t dialResult;
    SignUpResult result;
    unsigned message;  // string shown, 0 for none
    bool account;
    Lines progress;
    std::vector<unsigned> waits;  // the binding's after a hang-up, then the page's
    RasConnHandle heldAfter;
  } cases[] = {
      {"capital", "Ana", "pw", false, 0, SignUpResult::Accepted, 24, false, {}, {}, 0},
      {"busy", "ana", "pw", false, 676, SignUpResult::Accepted, 0, false,
       {"Llamando al 0915550001", "Error 676: la línea está ocupada."}, {}, 0x51},
      {"refused", "ana", "pw", false, 0, SignUpResult::Failed, 13, false, kOnLine, {2000, 2000}, 0},
      {"account", "ana", "pw", false, 0, SignUpResult::AccountExists, 14, true, kOnLine, {2000, 2000}, 0},
      // A password that would cut the GETUSER line or add an item to it is refused first.
      {"semicolon", "ana", "p;w=1", false, 0, SignUpResult::Accepted, 7, false, {}, {}, 0},
      {"line feed", "ana", "pw\r\nQUIT", false, 0, SignUpResult::Accepted, 7, false, {}, {}, 0},
      {"on line", "ana", "pw", true, 0, SignUpResult::Accepted, 14, false,
       {"Abriendo conexión con host remoto...", "Conectando", "Conectando"}, {}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    InstallerApp app;
    app.account.dialPrefix = "0";
    app.account.dialupnum = "915550001";
    app.flags.alreadyConnected = c.alreadyConnected;
    UserTypePageModel model(app);
    RecordingSleeper sleeper;
    FakeRas ras(sleeper);
    ras.dialResult = c.dialResult;
    RecordingProgress progress;
    RecordingMessageSink messages;
    ScriptedFetcher fetcher;
    fetcher.result = c.result;
    FetchServices services{ras, progress, sleeper, messages, fetcher};
    model.Fetch({true, c.identifier, c.password}, services);
    EXPECT_TRUE(app.flags.fetchPressed);
    ASSERT_EQ(c.message ? 1u : 0u, messages.shown.size());
    if (c.message) {
      EXPECT_EQ(c.message, messages.shown[0].stringId);
      EXPECT_EQ(c.message == 14, messages.shown[0].style.icon == MessageIcon::kInformation);
      if (c.message == 7) {
        EXPECT_EQ(0u, messages.shown[0].text.find("Campo contraseña: *"));
        EXPECT_EQ("", app.user.password) << "nothing refused is kept";
      }
    }
    EXPECT_EQ(c.progress.size() == 3 ? 1 : 0, fetcher.calls);
    EXPECT_EQ(c.account, app.flags.existingAccount && app.flags.accountFetched);
    EXPECT_EQ(c.progress, progress.lines);
    EXPECT_EQ(c.waits, sleeper.waits);
    EXPECT_EQ(c.heldAfter, model.Connection());
  }
}

TEST(UserTypeNext, Rules) {
  struct Case {
    bool existingSelected, fetchPressed, existingAccount;
    const char* identifier;
    bool moves;
    std::string message;  // the start of the text shown
    const char* alta;
  } cases[] = {
      {false, false, false, "", true, "", "1"},
      {true, false, false, "ana", false, "Debes hacer clic en el botón", "0"},
      {true, true, false, "ana", true, "", "0"},  // a failed fetch counts
      {true, true, false, "1ana", false, "Caracteres permitidos", "0"},
      {false, true, true, "", true, "", "0"},  // an account makes an existing user
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "row " << (&c - cases));
    InstallerApp app;
    app.flags.fetchPressed = c.fetchPressed;
    app.flags.existingAccount = c.existingAccount;
    UserTypePageModel model(app);
    RecordingMessageSink messages;
    EXPECT_EQ(c.moves, model.Next({c.existingSelected, c.identifier, "pw"}, messages));
    EXPECT_EQ(c.alta, app.user.alta);
    ASSERT_EQ(c.message.empty() ? 0u : 1u, messages.shown.size());
    EXPECT_TRUE(c.message.empty() || messages.shown[0].text.find(c.message) == 0);
  }
}

}  // namespace
}  // namespace marvella::test
