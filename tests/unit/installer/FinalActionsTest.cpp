// The results page's final actions against fakes: their order and what each is given, the
// progress line of each action that fails (the others still run), the first visit's
// address, and when the sign-up entry may be deleted.
#include "installer/FinalActions.h"

#include <gtest/gtest.h>

#include "tests/unit/common/RecordingMessageSink.h"
#include "tests/unit/dialup/Recorders.h"

namespace marvella {
namespace {

using Lines = std::vector<std::string>;

// The machine and the page in one log; the operations named in `failing` fail.
class FakeMachine final : public FinalActionsPlatform, public AccountDisplay {
 public:
  bool CreateDialEntry(const DialEntrySettings& e) override {
    return Log({"entry", e.entryName, e.phoneNumber, e.userName, e.password, e.primaryDns,
                e.secondaryDns, e.deviceType, e.deviceName});
  }
  std::string WindowsDirectory() override { return windows; }
  bool WriteMonitorProgram(const std::string& path) override { return Log({"monitor", path}); }
  std::string DesktopDirectory() override { return desktop; }
  bool SaveShortcut(const ShortcutSettings& s) override {
    return Log({"shortcut", s.path, s.target, s.arguments, s.description, s.iconPath});
  }
  bool OpenAddress(const std::string& address) override { return Log({"open", address}); }
  bool SetStartPage(const std::string& address) override { return Log({"start", address}); }
  void ShowAccount(const ShownAccount& a) override {
    Log({"show", a.userName, a.password, a.nameServer, a.mailAddress, a.alias});
  }
  void DisableCreateAccount() override { Log({"disable"}); }

  bool Log(const Lines& call) {
    std::string line;
    for (const std::string& part : call) line += (line.empty() ? "" : "|") + part;
    log.push_back(line);
    return failing.find(call[0]) == std::string::npos;
  }
  std::string failing, windows = "C:\\WINDOWS", desktop = "C:\\Escritorio";
  Lines log;
};

struct FinalActionsTest : ::testing::Test {
  FinalActionsTest() {
    account.profileName = "Mi Marvella";
    account.dialPrefix = "0";
    account.userid = "ana";
    account.pass = "p w&1";
    account.dns1 = "10.0.0.1";
    account.dns2 = "10.0.0.2";
    account.idwebmail = "ana.web";
    user.alias = "Anita";
    inputs = {&account, &user, "909123456", "modem", "Módem", {}, {"h:80", "http://h:80/"}};
  }
  void Run() { FinalActions(machine, machine, messages, progress, inputs).Run(); }

  AccountRecord account;
  UserRecord user;
  FinalActionInputs inputs;
  FakeMachine machine;
  test::RecordingMessageSink messages;
  test::RecordingProgress progress;
};

TEST_F(FinalActionsTest, EveryActionInOrderWithWhatItIsMadeFrom) {
  Run();
  EXPECT_EQ((Lines{"entry|Mi Marvella|0909123456|ana|p w&1|10.0.0.1|10.0.0.2|modem|Módem",
                   "monitor|C:\\WINDOWS\\marvella.exe",
                   "shortcut|C:\\Escritorio\\Mi Marvella.LNK|C:\\WINDOWS\\marvella.exe|Mi Marvella|"
                   "Mi Marvella|"
                   "C:\\WINDOWS\\marvella.exe",
                   "show|ana|p w&1|10.0.0.1|ana.web|Anita", "disable",
                   "open|http://h:80/cgi-bin/logon?user=ana&password=p%20w%261&conexion=1",
                   "start|http://h:80/"}),
            machine.log);
  ASSERT_EQ(1u, messages.shown.size());
  EXPECT_EQ(22u, messages.shown[0].stringId);
  EXPECT_EQ(MessageIcon::kInformation, messages.shown[0].style.icon);
  EXPECT_STREQ("Acceso creado", messages.shown[0].style.caption);
  EXPECT_TRUE(progress.lines.empty());
}

// Each failure is a progress line, and all of them come in one box at the end; without the
// entry or the monitor no notice says the access is configured.
TEST_F(FinalActionsTest, AFailedActionIsNamedAndTheRestGoOn) {
  const char kMonitor[] = "No se ha podido guardar el programa marvella.exe.";
  const char kShortcut[] = "No se ha podido crear el icono del escritorio.";
  const struct {
    const char* failing;
    std::string folders;  // the Windows and desktop folders
    Lines lines;
    bool notice;  // "configured"
  } cases[] = {
      {"entry", "C:", {"No se ha podido crear la conexi\xF3n de acceso telef\xF3nico."}, false},
      {"monitor shortcut", "C:", {kMonitor, kShortcut}, false},
      {"shortcut", "C:", {kShortcut}, true},
      {"open start",
       "C:",
       {"No se ha podido abrir la p\xE1gina de bienvenida.",
        "No se ha podido poner la p\xE1gina de inicio del navegador."},
       true},
      // No folder, or one too long for a path: nothing lands in the current directory.
      {"", "", {kMonitor, kShortcut}, false},
      {"", std::string(250, 'w'), {kMonitor, kShortcut}, false},
  };
  for (const auto& c : cases) {
    machine = FakeMachine();
    machine.failing = c.failing;
    machine.windows = machine.desktop = c.folders;
    progress.lines.clear();
    messages.shown.clear();
    Run();
    EXPECT_EQ(c.lines, progress.lines) << c.failing;
    EXPECT_EQ(0u, machine.log.back().find("start|")) << "the last action still ran";
    ASSERT_EQ(c.notice ? 2u : 1u, messages.shown.size()) << c.failing;
    EXPECT_EQ(c.notice ? 22u : 0u, messages.shown[0].stringId) << c.failing;
    const test::ShownMessage& box = messages.shown.back();
    std::string expected = "La instalaci\xF3n no se ha completado. Estos pasos no se han podido realizar:\n";
    for (const std::string& line : c.lines) expected += "\n" + line;
    EXPECT_EQ(expected, box.text) << c.failing;
    EXPECT_EQ(MessageIcon::kWarning, box.style.icon);
  }
}

TEST(FirstVisitAddress, EncodesUserAndPasswordAndSaysWhetherTheCallWasPlaced) {
  const struct {
    bool fetched, onLine;
    const char *user, *password, *address;
  } cases[] = {
      {false, false, "ana", "a b", "http://h/cgi-bin/logon?user=ana&password=a%20b&conexion=1"},
      {false, true, "ana", "clave", "http://h/cgi-bin/logon?user=ana&password=clave&conexion=0"},
      {true, false, "a.b_c-d~e", "&#+%=?/",
       "http://h/cgi-bin/gohome?user=a.b_c-d~e&password=%26%23%2B%25%3D%3F%2F"},
      {true, false, "x&password=y", "\xF1\r\n",
       "http://h/cgi-bin/gohome?user=x%26password%3Dy&password=%F1%0D%0A"},
  };
  for (const auto& c : cases) {
    AccountRecord account;
    account.userid = c.user;
    account.pass = c.password;
    WizardRunFlags flags{c.onLine, c.fetched};
    EXPECT_EQ(c.address, FirstVisitAddress("h", account, flags)) << c.password;
  }
}

TEST(MayDeleteSignUpEntry, NotTheUsersOwnEntryUnderAnyCase) {
  const std::string m(256, 'm');
  EXPECT_TRUE(MayDeleteSignUpEntry("Marvella Alta", "Marvella"));
  EXPECT_FALSE(MayDeleteSignUpEntry("MARVELLA", "marvella"));
  EXPECT_FALSE(MayDeleteSignUpEntry("Conexi\xF3n", "CONEXI\xD3N"));
  EXPECT_FALSE(MayDeleteSignUpEntry(m + "a", m + "b")) << "alike once cut to the field";
}

}  // namespace
}  // namespace marvella
