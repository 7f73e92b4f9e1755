// The devservice program as its users start it: background start and stop, restarts that
// keep the data, one instance per data folder, signals, the admin command.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "tests/unit/devservice/DevServiceTestSupport.h"

namespace {

using devservice_test::LineClient;
using devservice_test::SignUp;
using devservice_test::TempDir;

std::string Exe() {
  const char* exe = std::getenv("MARVELLA_DEVSERVICE_EXE");
  return exe ? exe : "devservice";
}

// Runs the program with the arguments (shell words), returns its exit code and output.
int RunProgram(const std::string& args, std::string* output = nullptr) {
  std::string command = Exe() + " " + args + " 2>&1";
  std::FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return -1;
  std::string text;
  char chunk[4096];
  std::size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0) text.append(chunk, n);
  int status = pclose(pipe);
  if (output) *output = text;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

int InfoPort(const std::string& dir, const char* key) {
  std::string info = ReadFile(dir + "/devservice.env");
  std::size_t at = info.find(std::string(key) + "=");
  return at == std::string::npos ? 0 : std::atoi(info.c_str() + at + std::strlen(key) + 1);
}

class DevServiceProgram : public ::testing::Test {
 protected:
  std::string Start(const std::string& extra = std::string()) {
    std::string out;
    EXPECT_EQ(RunProgram("--background --data-dir " + dir_.Path() +
                             " --user-port 0 --http-port 0 " + extra,
                         &out),
              0)
        << out;
    return out;
  }
  void TearDown() override { RunProgram("--stop --data-dir " + dir_.Path()); }
  TempDir dir_;
};

TEST_F(DevServiceProgram, BackgroundStartServesKeepsDataAndStopsCleanly) {
  std::string out = Start();
  int userPort = InfoPort(dir_.Path(), "MARVELLA_DEVSERVICE_USER_PORT");
  int httpPort = InfoPort(dir_.Path(), "MARVELLA_DEVSERVICE_HTTP_PORT");
  ASSERT_GT(userPort, 0);
  ASSERT_GT(httpPort, 0);
  EXPECT_NE(out.find("user server 127.0.0.1:" + std::to_string(userPort)), std::string::npos)
      << out;
  EXPECT_NE(out.find("web server  http://127.0.0.1:" + std::to_string(httpPort) + "/"),
            std::string::npos);
  EXPECT_EQ(SignUp(userPort, "marta", "pw").rfind("userid=marta;", 0), 0u);

  std::string status;
  EXPECT_EQ(RunProgram("--data-dir " + dir_.Path() + " --ctl set mail=5", &status), 0) << status;
  EXPECT_EQ(RunProgram("--data-dir " + dir_.Path() + " --ctl status", &status), 0);
  EXPECT_NE(status.find("accounts=1\n"), std::string::npos) << status;
  EXPECT_NE(status.find("mail=5\n"), std::string::npos);
  EXPECT_NE(RunProgram("--data-dir " + dir_.Path() + " --ctl set colour=red", &status), 0);

  EXPECT_EQ(RunProgram("--stop --data-dir " + dir_.Path(), &out), 0) << out;
  EXPECT_EQ(ReadFile(dir_.Path() + "/devservice.env"), "");  // no stale addresses
  std::string log = ReadFile(dir_.Path() + "/devservice.log");
  EXPECT_NE(log.find(" USERINFO:OK ACCOUNTINFO QUIT userid=marta end=quit "), std::string::npos)
      << log;
  EXPECT_NE(log.find("GET /admin/set?mail=5 200"), std::string::npos);
  EXPECT_NE(log.find("devservice: stopped (Terminated)"), std::string::npos);

  // Started again on the same data: the account is still there.
  Start();
  LineClient back(InfoPort(dir_.Path(), "MARVELLA_DEVSERVICE_USER_PORT"));
  back.Ask("HELLO");
  EXPECT_EQ(back.Ask("GETUSER userid=marta;password=pw").rfind("ALREADYACCOUNT", 0), 0u);
}

TEST_F(DevServiceProgram, OneInstancePerDataFolder) {
  std::string out;
  EXPECT_EQ(RunProgram("--stop --data-dir " + dir_.Path(), &out), 3) << out;  // none yet
  Start();
  EXPECT_EQ(SignUp(InfoPort(dir_.Path(), "MARVELLA_DEVSERVICE_USER_PORT"), "rita", "pw")
                .rfind("userid=", 0),
            0u);
  EXPECT_EQ(
      RunProgram("--background --data-dir " + dir_.Path() + " --user-port 0 --http-port 0", &out),
      1);
  EXPECT_NE(out.find("another instance"), std::string::npos) << out;
  // --replace takes over; --fresh starts from empty data.
  Start("--replace --fresh");
  LineClient after(InfoPort(dir_.Path(), "MARVELLA_DEVSERVICE_USER_PORT"));
  after.Ask("HELLO");
  EXPECT_EQ(after.Ask("GETUSER userid=rita;password=pw").rfind("ERROR", 0), 0u);
  // A port in use is reported, and nothing is left running.
  int taken = InfoPort(dir_.Path(), "MARVELLA_DEVSERVICE_HTTP_PORT");
  TempDir other;
  EXPECT_EQ(RunProgram("--background --data-dir " + other.Path() + " --user-port 0 --http-port " +
                           std::to_string(taken),
                       &out),
            1);
  EXPECT_NE(out.find("cannot listen"), std::string::npos) << out;
  EXPECT_EQ(RunProgram("--stop --data-dir " + other.Path(), &out), 3);
}

TEST_F(DevServiceProgram, ForegroundStopsCleanlyOnSigint) {
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  pid_t child = fork();
  if (child == 0) {
    dup2(fds[1], 1);
    dup2(fds[1], 2);
    close(fds[0]);
    std::string dir = dir_.Path();
    std::string exe = Exe();
    execl(exe.c_str(), exe.c_str(), "--data-dir", dir.c_str(), "--user-port", "0", "--http-port",
          "0", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  std::string out;
  char chunk[4096];
  ssize_t n;
  while (out.find("devservice: info") == std::string::npos &&
         (n = read(fds[0], chunk, sizeof chunk)) > 0) {
    out.append(chunk, static_cast<std::size_t>(n));
  }
  int userPort = InfoPort(dir_.Path(), "MARVELLA_DEVSERVICE_USER_PORT");
  LineClient open(userPort);  // a conversation still open when the signal comes
  EXPECT_EQ(open.Ask("HELLO").rfind("OK", 0), 0u);
  kill(child, SIGINT);
  while ((n = read(fds[0], chunk, sizeof chunk)) > 0)
    out.append(chunk, static_cast<std::size_t>(n));
  close(fds[0]);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << out;
  EXPECT_NE(out.find(" HELLO end=stopped "), std::string::npos) << out;  // logged, not lost
  EXPECT_NE(out.find("devservice: stopped (Interrupt)"), std::string::npos) << out;
}

TEST(DevServiceOptions, HelpAndBadOptions) {
  std::string out;
  EXPECT_EQ(RunProgram("--help", &out), 0);
  EXPECT_NE(out.find("--user-fault RULE"), std::string::npos);
  EXPECT_EQ(RunProgram("--user-port 70000", &out), 2);
  EXPECT_NE(out.find("bad value '70000' for --user-port"), std::string::npos) << out;
  EXPECT_EQ(RunProgram("--http-fault split", &out), 2);
  EXPECT_NE(out.find("unknown fault kind"), std::string::npos) << out;
  EXPECT_EQ(RunProgram("--frobnicate", &out), 2);
}

}  // namespace
