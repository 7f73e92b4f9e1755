// The devservice program as the CTest fixtures start and stop it.
#include <gtest/gtest.h>

#include <sys/wait.h>

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

// What the fixtures and the demo do: a background start that publishes its addresses,
// --ctl, --replace --fresh over a leftover instance, --stop that clears the addresses and
// fails when nothing runs (so a fixture whose service died is reported), a taken port.
TEST_F(DevServiceProgram, BackgroundStartReplaceAndStop) {
  std::string out;
  EXPECT_EQ(RunProgram("--stop --data-dir " + dir_.Path(), &out), 3) << out;  // none yet
  Start();
  EXPECT_EQ(SignUp(InfoPort(dir_.Path(), "MARVELLA_DEVSERVICE_USER_PORT"), "rita", "pw")
                .rfind("userid=", 0),
            0u);
  std::string status;  // what the demo prints at its end
  EXPECT_EQ(RunProgram("--data-dir " + dir_.Path() + " --ctl status", &status), 0) << status;
  EXPECT_NE(status.find("accounts=1\n"), std::string::npos) << status;
  EXPECT_EQ(
      RunProgram("--background --data-dir " + dir_.Path() + " --user-port 0 --http-port 0", &out),
      1);
  EXPECT_NE(out.find("another instance"), std::string::npos) << out;
  Start("--replace --fresh");
  LineClient after(InfoPort(dir_.Path(), "MARVELLA_DEVSERVICE_USER_PORT"));
  after.Ask("HELLO");
  EXPECT_EQ(after.Ask("GETUSER userid=rita;password=pw").rfind("ERROR", 0), 0u);

  int taken = InfoPort(dir_.Path(), "MARVELLA_DEVSERVICE_HTTP_PORT");
  TempDir other;
  EXPECT_EQ(RunProgram("--background --data-dir " + other.Path() + " --user-port 0 --http-port " +
                           std::to_string(taken),
                       &out),
            1);
  EXPECT_NE(out.find("cannot listen"), std::string::npos) << out;
  EXPECT_EQ(RunProgram("--stop --data-dir " + other.Path(), &out), 3);

  EXPECT_EQ(RunProgram("--stop --data-dir " + dir_.Path(), &out), 0) << out;
  EXPECT_EQ(ReadFile(dir_.Path() + "/devservice.env"), "");  // no stale addresses
}

}  // namespace
