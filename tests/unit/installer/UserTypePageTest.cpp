// The user-type page's rules without windows: each outcome of "&Obtener datos" (message,
// flags, progress, waits, the line left held) and the rules of Next.
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
    errorText = "clave mala";
    return result;
  }
  SignUpResult result = SignUpResult::Accepted;
  int calls = 0;
};

// The texts of the boxes are checked in the window walk.
TEST(UserTypeFetch, EachOutcome) {
  const std::vector<std::string> kOnLine = {"Llamando al 0915550001", "Conectando", "Conectando"};
  const std::vector<unsigned> kHungUp = {2000, 2000};  // the binding's wait, then the page's
  struct Case {
    const char *name, *identifier, *password;
    bool alreadyConnected;
    std::uint32_t dialResult;
    SignUpResult result;
    unsigned message;  // string shown, 0 for none
    bool conversation, account;
    std::vector<std::string> progress;
    std::vector<unsigned> waits;
    RasConnHandle heldAfter;
  } cases[] = {
      {"capital", "Ana", "pw", false, 0, SignUpResult::Accepted, 24, false, false, {}, {}, 0},
      {"no password", "ana", "", false, 0, SignUpResult::Accepted, 8, false, false, {}, {}, 0},
      {"busy", "ana", "pw", false, 676, SignUpResult::Accepted, 0, false, false,
       {"Llamando al 0915550001", "Error 676: la línea está ocupada."}, {}, 0x51},
      {"data", "ana", "pw", false, 0, SignUpResult::Accepted, 14, true, false, kOnLine, kHungUp, 0},
      {"account", "ana", "pw", false, 0, SignUpResult::AccountExists, 14, true, true, kOnLine,
       kHungUp, 0},
      {"refused", "ana", "pw", false, 0, SignUpResult::Failed, 13, true, false, kOnLine, kHungUp, 0},
      {"on line", "ana", "pw", true, 0, SignUpResult::Accepted, 14, true, false,
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
    }
    EXPECT_EQ(c.conversation ? 1 : 0, fetcher.calls);
    EXPECT_EQ(c.account, app.flags.existingAccount);
    EXPECT_EQ(c.account, app.flags.accountFetched);
    EXPECT_EQ(c.progress, progress.lines);
    EXPECT_EQ(c.waits, sleeper.waits);
    EXPECT_EQ(c.heldAfter, model.Connection());
  }
}

TEST(UserTypeNext, Rules) {
  struct Case {
    const char* name;
    bool existingSelected, fetchPressed, existingAccount;
    const char* identifier;
    bool moves;
    std::string message;  // the start of the text shown
    const char* alta;
  } cases[] = {
      {"new user", false, false, false, "", true, "", "1"},
      {"no fetch", true, false, false, "ana", false, "Debes hacer clic en el botón", "0"},
      {"a failed fetch counts", true, true, false, "ana", true, "", "0"},
      {"bad identifier", true, true, false, "1ana", false, "Caracteres permitidos", "0"},
      {"account, then new user", false, true, true, "", true, "", "0"},
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
    ASSERT_EQ(c.message.empty() ? 0u : 1u, messages.shown.size());
    EXPECT_TRUE(c.message.empty() || messages.shown[0].text.find(c.message) == 0);
  }
}

}  // namespace
}  // namespace marvella::test
