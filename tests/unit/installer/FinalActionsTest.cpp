// The results page's final actions against fakes: their order and what each is given, the
// progress line of each action that fails (the others still run), the first visit's
// address, and when the sign-up entry may be deleted.
#include "installer/FinalActions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/unit/common/RecordingMessageSink.h"
#include "tests/unit/dialup/Recorders.h"

namespace marvella {
namespace {

using Lines = std::vector<std::string>;

class FakeMachine final : public FinalActionsPlatform {
 public:
  bool CreateDialEntry(const DialEntrySettings& e) override {
    calls.push_back("entry");
    entry = {e.entryName,  e.phoneNumber,  e.userName,   e.password,
             e.primaryDns, e.secondaryDns, e.deviceType, e.deviceName};
    return !fail("entry");
  }
  std::string WindowsDirectory() override { return windows; }
  bool WriteMonitorProgram(const std::string& path) override {
    calls.push_back("monitor " + path);
    return !fail("monitor");
  }
  std::string DesktopDirectory() override { return desktop; }
  bool SaveShortcut(const ShortcutSettings& s) override {
    calls.push_back("shortcut");
    shortcut = s;
    return !fail("shortcut");
  }
  bool OpenAddress(const std::string& address) override {
    calls.push_back("open " + address);
    return !fail("open");
  }
  bool SetStartPage(const std::string& address) override {
    calls.push_back("start " + address);
    return !fail("start");
  }

  bool fail(const std::string& what) const { return failing.find(what) != std::string::npos; }

  std::string failing;  // names of the operations that fail
  std::string windows = "C:\\WINDOWS";
  std::string desktop = "C:\\WINDOWS\\Escritorio";
  Lines calls;
  Lines entry;
  ShortcutSettings shortcut;
};

class FakeDisplay final : public AccountDisplay {
 public:
  explicit FakeDisplay(Lines& calls) : calls_(calls) {}
  void ShowAccount(const ShownAccount& a) override {
    calls_.push_back("show");
    shown = {a.userName, a.password, a.nameServer, a.mailAddress, a.alias};
  }
  void DisableCreateAccount() override { calls_.push_back("disable"); }
  Lines shown;

 private:
  Lines& calls_;
};

struct FinalActionsTest : ::testing::Test {
  FinalActionsTest() {
    account.profileName = "Mi Marvella";
    account.dialPrefix = "0";
    account.dialupnum = "no se usa";
    account.userid = "ana";
    account.pass = "p w&1";
    account.dns1 = "10.0.0.1";
    account.dns2 = "10.0.0.2";
    account.idwebmail = "ana.web";
    user.alias = "Anita";
    inputs.account = &account;
    inputs.user = &user;
    inputs.accessNumber = "909123456";
    inputs.deviceType = "modem";
    inputs.deviceName = "Módem estándar";
    inputs.portal = PortalAddresses{"portal.test:8080", "http://portal.test:8080/"};
  }
  FinalActions Actions() { return FinalActions(machine, display, messages, progress, inputs); }

  AccountRecord account;
  UserRecord user;
  FinalActionInputs inputs;
  FakeMachine machine;
  FakeDisplay display{machine.calls};
  test::RecordingMessageSink messages;
  test::RecordingProgress progress;
};

TEST_F(FinalActionsTest, EveryActionInOrderWithWhatItIsMadeFrom) {
  Actions().Run();
  EXPECT_EQ((Lines{"entry", "monitor C:\\WINDOWS\\marvella.exe", "shortcut", "show", "disable",
                   "open http://portal.test:8080/cgi-bin/logon?user=ana&password=p%20w%261"
                   "&conexion=1",
                   "start http://portal.test:8080/"}),
            machine.calls);
  EXPECT_EQ((Lines{"Mi Marvella", "0909123456", "ana", "p w&1", "10.0.0.1", "10.0.0.2", "modem",
                   "Módem estándar"}),
            machine.entry);
  EXPECT_EQ("C:\\WINDOWS\\Escritorio\\Mi Marvella.LNK", machine.shortcut.path);
  EXPECT_EQ("marvella.exe", machine.shortcut.target);
  EXPECT_EQ("Mi Marvella", machine.shortcut.arguments);
  EXPECT_EQ("Mi Marvella", machine.shortcut.description);
  EXPECT_EQ("C:\\WINDOWS\\marvella.exe", machine.shortcut.iconPath);
  EXPECT_EQ((Lines{"ana", "p w&1", "10.0.0.1", "ana.web", "Anita"}), display.shown);
  ASSERT_EQ(1u, messages.shown.size());
  EXPECT_EQ(22u, messages.shown[0].stringId);
  EXPECT_EQ(
      "La conexi\xF3n ha sido creada.Su acceso a Internet\nesta configurado. Pulse \"Aceptar\" y "
      "en breve\nle aparecer\xE1 una p\xE1gina de bienvenida.",
      messages.shown[0].text);
  EXPECT_EQ(MessageIcon::kInformation, messages.shown[0].style.icon);
  EXPECT_STREQ("Acceso creado", messages.shown[0].style.caption);
  EXPECT_TRUE(progress.lines.empty());
}

// A fetched account: the machine steps and the display steps run apart (the display ones
// on a worker), and together they are the whole sequence.
TEST_F(FinalActionsTest, MachineAndDisplayStepsSplitTheSequence) {
  inputs.flags.accountFetched = true;
  FinalActions actions = Actions();
  actions.RunMachineSteps();
  EXPECT_EQ(3u, machine.calls.size());
  EXPECT_TRUE(messages.shown.empty());
  actions.RunDisplaySteps();
  EXPECT_EQ(7u, machine.calls.size());
  EXPECT_EQ("open http://portal.test:8080/cgi-bin/gohome?user=ana&password=p%20w%261",
            machine.calls[5]);
}

TEST_F(FinalActionsTest, AFailedActionIsNamedAndTheRestGoOn) {
  const struct {
    const char* failing;
    std::string windows, desktop;
    Lines lines;
  } cases[] = {
      {"entry",
       "C:\\WINDOWS",
       "C:\\Escritorio",
       {"No se ha podido crear la conexi\xF3n de acceso telef\xF3nico."}},
      {"monitor shortcut",
       "C:\\WINDOWS",
       "C:\\Escritorio",
       {"No se ha podido guardar el programa marvella.exe.",
        "No se ha podido crear el icono del escritorio."}},
      {"open start",
       "C:\\WINDOWS",
       "C:\\Escritorio",
       {"No se ha podido abrir la p\xE1gina de bienvenida.",
        "No se ha podido poner la p\xE1gina de inicio del navegador."}},
      // No folder to write to is a failure too, not a file in the current directory.
      {"",
       "",
       "",
       {"No se ha podido guardar el programa marvella.exe.",
        "No se ha podido crear el icono del escritorio."}},
      // Paths longer than the system takes.
      {"",
       std::string(250, 'w'),
       std::string(250, 'd'),
       {"No se ha podido guardar el programa marvella.exe.",
        "No se ha podido crear el icono del escritorio."}},
  };
  for (const auto& c : cases) {
    machine = FakeMachine();
    machine.failing = c.failing;
    machine.windows = c.windows;
    machine.desktop = c.desktop;
    progress.lines.clear();
    messages.shown.clear();
    Actions().Run();
    EXPECT_EQ(c.lines, progress.lines) << c.failing;
    EXPECT_EQ(1u, messages.shown.size()) << "the account is shown all the same";
    EXPECT_EQ("start http://portal.test:8080/", machine.calls.back()) << c.failing;
  }
}

TEST(FirstVisitAddress, EncodesUserAndPasswordAndSaysWhetherTheCallWasPlaced) {
  const struct {
    bool fetched, onLine;
    const char* user;
    const char* password;
    const char* address;
  } cases[] = {
      {false, false, "ana", "clave", "http://h/cgi-bin/logon?user=ana&password=clave&conexion=1"},
      {false, true, "ana", "clave", "http://h/cgi-bin/logon?user=ana&password=clave&conexion=0"},
      {true, true, "ana", "clave", "http://h/cgi-bin/gohome?user=ana&password=clave"},
      {false, false, "ana", "a b", "http://h/cgi-bin/logon?user=ana&password=a%20b&conexion=1"},
      {true, false, "a.b_c-d~e", "&#+%=?/",
       "http://h/cgi-bin/gohome?user=a.b_c-d~e&password=%26%23%2B%25%3D%3F%2F"},
      {true, false, "x&password=y", "\xF1\r\n\x01",
       "http://h/cgi-bin/gohome?user=x%26password%3Dy&password=%F1%0D%0A%01"},
      {true, false, "", "", "http://h/cgi-bin/gohome?user=&password="},
  };
  for (const auto& c : cases) {
    AccountRecord account;
    account.userid = c.user;
    account.pass = c.password;
    WizardRunFlags flags;
    flags.accountFetched = c.fetched;
    flags.alreadyConnected = c.onLine;
    EXPECT_EQ(c.address, FirstVisitAddress("h", account, flags)) << c.password;
  }
}

TEST(MayDeleteSignUpEntry, NotTheUsersOwnEntryUnderAnyCase) {
  const std::string longName(256, 'm');
  const struct {
    std::string signUp, user;
    bool deleted;
  } cases[] = {
      {"Marvella Alta", "Marvella", true},
      {"Marvella", "Marvella", false},
      {"MARVELLA", "marvella", false},
      {"Conexi\xF3n", "CONEXI\xD3N", false},
      {longName + "a", longName + "b", false},  // the same entry once cut to its field
      {"", "Marvella", true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.deleted, MayDeleteSignUpEntry(c.signUp, c.user)) << c.signUp << " " << c.user;
}

}  // namespace
}  // namespace marvella
