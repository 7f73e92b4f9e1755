// marvella.exe as the user meets it: started from its shortcut with the entry name, under
// each Windows version, with the system diallers and the remote-access service simulated
// and the browser replaced by a recorder.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "common/OperatorSettings.h"
#include "simulators/ras/RasSimulatorSession.h"
#include "tests/win32/support/RecordingBrowser.h"
#include "tests/win32/support/TestPrograms.h"

namespace marvella {
namespace {

using rassim::JournalRecord;
using rassim::RasSimulatorSession;
using test::BinDir;
using test::ReadWholeLines;
using test::RunAsWindowsVersion;
using test::StartProgram;

const char kHomePage[] = "http://" MARVELLA_PORTAL_HOST "/";

// One monitor run in the session's folder: the monitor under the given Windows version,
// the dialler stand-ins beside it (where ShellExecute looks first).
class MonitorRun {
 public:
  MonitorRun(const RasSimulatorSession& session, const std::string& version,
             bool withDiallers = true)
      : folder_(session.Folder()) {
    EXPECT_TRUE(test::UseRecordingBrowser());
    std::string name = "marvella-" + version + ".exe";
    program_ = folder_ + "\\" + name;
    EXPECT_TRUE(test::CopyTo(BinDir() + "marvella.exe", program_));
    RunAsWindowsVersion(name, version);
    if (withDiallers) {
      for (const char* dialler : {"rasphone.exe", "rundll32.exe"})
        EXPECT_TRUE(test::CopyTo(BinDir() + "ras-simulator\\" + dialler, folder_ + "\\" + dialler));
    }
  }
  ~MonitorRun() {
    if (process_) {
      TerminateProcess(process_, 1);
      CloseHandle(process_);
    }
  }

  // Starts the monitor as the desktop shortcut does: the entry name is the command line.
  bool Start(const std::string& entry) {
    std::string commandLine = "\"" + program_ + "\"" + (entry.empty() ? "" : " " + entry);
    process_ = StartProgram(program_, commandLine, folder_.c_str());
    return process_ != nullptr;
  }

  // The exit code, or -1 while it still runs after timeoutMs.
  long WaitForExit(DWORD timeoutMs) {
    if (WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return long(code);
  }

  // Addresses the recording browser was asked to open. The browser starts after the
  // monitor has ended, as a process of its own, and under load it may take many seconds:
  // this waits until `expected` whole lines are there (at most timeoutMs), then returns
  // what the log holds. With expected 0 it waits the whole time, to see that nothing comes.
  std::vector<std::string> OpenedPages(size_t expected = 1, DWORD timeoutMs = 60000) const {
    DWORD start = GetTickCount();
    for (;;) {
      std::vector<std::string> pages = ReadWholeLines(folder_ + "\\browser-log.txt");
      if ((expected > 0 && pages.size() >= expected) || GetTickCount() - start >= timeoutMs)
        return pages;
      Sleep(100);
    }
  }

 private:
  std::string folder_;
  std::string program_;
  HANDLE process_ = nullptr;
};

std::string Scenario(const std::string& service) {
  return "[service]\n" + service +
         "\n[device]\ntype = modem\nname = Módem estándar\n"
         "[entry]\nname = Marvella\nszLocalPhoneNumber = 0909123456\nszDeviceType = modem\n"
         "szDeviceName = Módem estándar\ndial.szUserName = usuario\ndial.szPassword = clave\n";
}

std::vector<std::string> States(const RasSimulatorSession& session) {
  std::vector<std::string> states;
  for (const JournalRecord& r : session.Calls("RasGetConnectStatusA"))
    states.push_back(r.Get("state"));
  return states;
}

struct DiallerCase {
  const char* version;
  const char* program;
  const char* commandLine;  // as the dialler received it
};

void PrintTo(const DiallerCase& c, std::ostream* os) { *os << c.version; }

class MonitorPerVersion : public ::testing::TestWithParam<DiallerCase> {};

TEST_P(MonitorPerVersion, StartsTheSystemsDiallerAndOpensTheHomePageWhenConnected) {
  const DiallerCase& c = GetParam();
  RasSimulatorSession session(Scenario("dial-pending = ConnectDevice Authenticate"));
  MonitorRun monitor(session, c.version);
  ASSERT_TRUE(monitor.Start("Marvella"));
  ASSERT_EQ(0, monitor.WaitForExit(60000));

  auto diallers = session.Calls(c.program);
  ASSERT_EQ(1u, diallers.size());
  EXPECT_EQ(c.commandLine, diallers[0].Get("cmdline"));
  auto dials = session.Calls("RasDialA");
  ASSERT_EQ(1u, dials.size());
  EXPECT_EQ("Marvella", dials[0].Get("entry"));
  EXPECT_EQ("usuario", dials[0].Get("user"));  // the dialler used the saved logon
  EXPECT_EQ("0", dials[0].Get("result"));
  // The monitor asked until the service said connected, and not once more.
  EXPECT_EQ((std::vector<std::string>{"ConnectDevice", "Authenticate", "Connected"}),
            States(session));
  EXPECT_EQ("RasGetConnectStatusA", JournalRecord::Parse(session.State().journal.back()).function);
  EXPECT_EQ(std::vector<std::string>{kHomePage}, monitor.OpenedPages());
}

INSTANTIATE_TEST_SUITE_P(
    Versions, MonitorPerVersion,
    ::testing::Values(DiallerCase{"nt40", "rasphone.exe", "Marvella"},
                      DiallerCase{"win2k", "rasphone.exe", "Marvella"},
                      DiallerCase{"win95", "rundll32.exe", "rnaui.dll,RnaDial Marvella"},
                      DiallerCase{"win98", "rundll32.exe", "rnaui.dll,RnaDial Marvella"},
                      DiallerCase{"winme", "rundll32.exe", "rnaui.dll,RnaDial Marvella"}),
    [](const ::testing::TestParamInfo<DiallerCase>& info) {
      return std::string(info.param.version);
    });

TEST(Monitor, AConnectionThatIsNotUpKeepsItWaiting) {
  RasSimulatorSession session(Scenario("dial-outcome = stalled\ndial-pending = Authenticate"));
  MonitorRun monitor(session, "win98");
  ASSERT_TRUE(monitor.Start("Marvella"));
  // Two checks of the stalled line, however slowly a busy machine starts the monitor.
  std::vector<std::string> states;
  for (DWORD start = GetTickCount();
       (states = States(session)).size() < 2 && GetTickCount() - start < 60000;)
    Sleep(100);
  ASSERT_GE(states.size(), 2u);
  EXPECT_EQ(-1, monitor.WaitForExit(0));  // still waiting, invisibly
  for (const std::string& s : states) EXPECT_EQ("Authenticate", s);
  EXPECT_TRUE(monitor.OpenedPages(0, 0).empty());

  // The line comes up: the next tick opens the home page and ends the monitor.
  session.Change([](rassim::SimState& s) {
    for (rassim::SimConnection& c : s.connections) c.state = RASCS_Connected;
  });
  ASSERT_EQ(0, monitor.WaitForExit(60000));
  EXPECT_EQ("Connected", States(session).back());
  EXPECT_EQ(std::vector<std::string>{kHomePage}, monitor.OpenedPages());
}

TEST(Monitor, AnyConnectionAlreadyUpOpensTheHomePageAtTheFirstCheck) {
  // The dial fails, but another connection of the machine is up.
  RasSimulatorSession session(Scenario("dial-outcome = busy") +
                              "[connection]\nhandle = 40\nentry = Trabajo\nstate = Connected\n");
  MonitorRun monitor(session, "nt40");
  ASSERT_TRUE(monitor.Start("Marvella"));
  ASSERT_EQ(0, monitor.WaitForExit(30000));
  EXPECT_EQ(1u, session.Calls("RasEnumConnectionsA").size());
  EXPECT_EQ(std::vector<std::string>{"Connected"}, States(session));
  EXPECT_EQ(std::vector<std::string>{kHomePage}, monitor.OpenedPages());
}

TEST(Monitor, AnEmptyCommandLineStillStartsTheDialler) {
  const std::string upAlready = "[connection]\nhandle = 40\nentry = Otra\nstate = Connected\n";
  for (const char* version : {"nt40", "win98"}) {
    RasSimulatorSession session(Scenario("") + upAlready);
    MonitorRun monitor(session, version);
    ASSERT_TRUE(monitor.Start(""));
    ASSERT_EQ(0, monitor.WaitForExit(30000)) << version;
    std::vector<JournalRecord> started = session.Calls("rasphone.exe");
    for (const JournalRecord& r : session.Calls("rundll32.exe")) started.push_back(r);
    ASSERT_EQ(1u, started.size()) << version;
    if (std::string(version) == "nt40") {
      EXPECT_EQ("rasphone.exe", started[0].function);
      EXPECT_EQ("", started[0].Get("cmdline"));
    } else {
      EXPECT_EQ("rundll32.exe", started[0].function);
      // "rnaui.dll,RnaDial " with nothing after it.
      EXPECT_EQ(0u, started[0].Get("cmdline").find("rnaui.dll,RnaDial"));
      EXPECT_EQ("", started[0].Get("entry"));
    }
    EXPECT_TRUE(session.Calls("RasDialA").empty());
    EXPECT_EQ(std::vector<std::string>{kHomePage}, monitor.OpenedPages()) << version;
  }
}

TEST(Monitor, EndsAtOnceWhenTheDiallerCannotBeStarted) {
  RasSimulatorSession session(Scenario(""));
  MonitorRun monitor(session, "nt40", /*withDiallers=*/false);  // no rasphone.exe anywhere
  ASSERT_TRUE(monitor.Start("Marvella"));
  EXPECT_EQ(0, monitor.WaitForExit(30000));
  EXPECT_TRUE(session.Calls("RasEnumConnectionsA").empty());
  EXPECT_TRUE(monitor.OpenedPages(0, 1000).empty());
}

}  // namespace
}  // namespace marvella
