// What a process sees before the library is first loaded: the Windows version and its
// remote-access key, a library planted beside the program, entry points that are missing.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialup/RasOperations.h"
#include "simulators/ras/RasSimulatorSession.h"
#include "tests/win32/dialup/ProbeRunner.h"

namespace marvella {
namespace {

using rassim::RasSimulatorSession;
using test::PrepareProbe;
using test::RunProbe;
using Lines = std::vector<std::string>;

const char kModem[] = "[service]\n[device]\ntype = modem\nname = Módem estándar\n";

std::string SystemLibrary() {
  char path[MAX_PATH];
  GetSystemDirectoryA(path, MAX_PATH);
  return std::string(path) + "\\rasapi32.dll";
}

bool SamePath(const std::string& a, const std::string& b) {
  return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

TEST(RasProbe, ALibraryPlantedBesideTheProgramIsNotLoaded) {
  RasSimulatorSession session(kModem);
  std::string probe = PrepareProbe(session.Folder(), "ras_probe.exe");
  std::string planted = session.Folder() + "\\rasapi32.dll";
  ASSERT_TRUE(test::CopyTo(test::BinDir() + "ras-simulator\\rasapi32.dll", planted));

  Lines out = RunProbe(probe, {"module"});
  ASSERT_EQ(1u, out.size());
  EXPECT_TRUE(SamePath("module " + SystemLibrary(), out[0])) << out[0];
  // A load by bare name, in a process of its own, takes the planted copy: the check above
  // can fail.
  out = RunProbe(probe, {"bare"});
  ASSERT_EQ(1u, out.size());
  EXPECT_TRUE(SamePath("bare " + planted, out[0])) << out[0];
}

std::string Expect(const char* command, std::uint32_t value) {
  return std::string(command) + " " + std::to_string(value);
}

TEST(RasProbe, MissingEntryPointsGiveTheBindingsFixedValues) {
  RasSimulatorSession session(std::string(kModem) +
                              "[service]\nmissing-exports = RasSetCredentialsA RasGetErrorStringA "
                              "RasHangUpA RasEnumDevicesA RasGetConnectStatusA\n");
  std::string probe = PrepareProbe(session.Folder(), "ras_probe.exe");
  Lines out = RunProbe(
      probe, {"create", "Marvella", "enum", "errorstring", "676", "hangup", "5", "dial", "Alta"});
  ASSERT_EQ(5u, out.size());
  EXPECT_EQ("create 1", out[0]);  // the credentials step is skipped, the entry written
  EXPECT_EQ("enum 0 count=0", out[1]);
  EXPECT_EQ(Expect("errorstring", kMissingRasGetErrorString) + " text=", out[2]);
  EXPECT_EQ(Expect("hangup", kMissingRasHangUp) + " waits=", out[3]);  // and no wait
  // RasDial placed the call, but no status can be read: not connected.
  EXPECT_EQ("dial 1 lines=1", out[4]);
  EXPECT_TRUE(session.Calls("RasSetCredentialsA").empty());
  EXPECT_EQ(2u, session.Calls("RasSetEntryDialParamsA").size());  // create, and the dial's entry
  EXPECT_TRUE(session.Calls("RasHangUpA").empty());
  EXPECT_EQ(1u, session.Calls("RasDialA").size());

  session.Write(std::string(kModem) +
                "[service]\nmissing-exports = RasValidateEntryNameA RasSetEntryPropertiesA "
                "RasDeleteEntryA RasDialA RasSetEntryDialParamsA\n");
  out = RunProbe(
      probe, {"validate", "Marvella", "create", "Marvella", "delete", "Marvella", "dial", "Alta"});
  ASSERT_EQ(4u, out.size());
  EXPECT_EQ(Expect("validate", kMissingRasValidateEntryName), out[0]);
  EXPECT_EQ("create 0", out[1]);
  EXPECT_EQ(Expect("delete", kMissingRasDeleteEntry), out[2]);
  // RasDial "succeeds" without a handle: not connected, and no status is read.
  EXPECT_EQ("dial 1 lines=1", out[3]);
  EXPECT_TRUE(session.Calls("RasGetConnectStatusA").empty());
  EXPECT_TRUE(session.Calls("RasSetEntryPropertiesA").empty());
}

// The remote-access key lives in the prefix's shared registry: tests that change it take
// this lock and put it back as they found it.
class RemoteAccessKeyLock {
 public:
  RemoteAccessKeyLock() : mutex_(CreateMutexA(nullptr, FALSE, "marvella-remoteaccess-key")) {
    WaitForSingleObject(mutex_, INFINITE);
    service_ = Exists(kService);
    provider_ = Exists(kProvider);
  }
  ~RemoteAccessKeyLock() {
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kProvider);
    if (!service_) RegDeleteKeyA(HKEY_LOCAL_MACHINE, kService);
    if (service_) Create(kService);
    if (provider_) Create(kProvider);
    ReleaseMutex(mutex_);
    CloseHandle(mutex_);
  }

 private:
  static constexpr const char* kService = "System\\CurrentControlSet\\Services\\RemoteAccess";
  static constexpr const char* kProvider =
      "System\\CurrentControlSet\\Services\\RemoteAccess\\NetworkProvider";
  static bool Exists(const char* key) {
    HKEY h;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
    RegCloseKey(h);
    return true;
  }
  static void Create(const char* key) {
    HKEY h;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr) ==
        ERROR_SUCCESS)
      RegCloseKey(h);
  }
  HANDLE mutex_;
  bool service_, provider_;
};

TEST(RasProbe, RemoteAccessCountsAsInstalledByTheKeyOfEachVersion) {
  RasSimulatorSession session(kModem);
  RemoteAccessKeyLock lock;
  const Lines commands = {"keys",      "none", "installed", "keys",     "service",
                          "installed", "keys", "provider",  "installed"};
  struct Case {
    const char* version;
    Lines expected;  // no key / the service key only / service and network provider
  };
  const Case cases[] = {
      {"win95",
       {"keys none", "installed 0", "keys service", "installed 0", "keys provider", "installed 1"}},
      {"win98",
       {"keys none", "installed 0", "keys service", "installed 1", "keys provider", "installed 1"}},
      {"winme",
       {"keys none", "installed 0", "keys service", "installed 1", "keys provider", "installed 1"}},
      {"nt40",
       {"keys none", "installed 0", "keys service", "installed 1", "keys provider", "installed 1"}},
      {"win2k",
       {"keys none", "installed 0", "keys service", "installed 1", "keys provider", "installed 1"}},
  };
  for (const Case& c : cases) {
    std::string probe =
        PrepareProbe(session.Folder(), std::string("ras_probe-") + c.version + ".exe", c.version);
    EXPECT_EQ(c.expected, RunProbe(probe, commands)) << c.version;
  }
}

}  // namespace
}  // namespace marvella
