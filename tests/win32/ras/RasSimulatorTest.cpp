// The simulated remote-access service itself, called as the system's library: where it is
// as strict as Windows and the kit's own tests could not tell (record sizes, the 4.0 stride,
// ports held by failed calls, fresh dials). What the kit's calls meet is checked through
// them (tests/win32/dialup, monitor, wizard).
#include <windows.h>
#include <ras.h>
#include <raserror.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "simulators/ras/RasSimulatorSession.h"

namespace marvella::rassim {
namespace {

// The simulator as the system's library (tests run with WINEDLLOVERRIDES=rasapi32=n).
struct Api {
  HMODULE module = nullptr;
  decltype(&::RasEnumDevicesA) EnumDevices;
  decltype(&::RasSetEntryPropertiesA) SetEntryProperties;
  decltype(&::RasSetEntryDialParamsA) SetEntryDialParams;
  decltype(&::RasGetEntryDialParamsA) GetEntryDialParams;
  decltype(&::RasSetCredentialsA) SetCredentials;
  decltype(&::RasDialA) Dial;
  decltype(&::RasGetConnectStatusA) GetConnectStatus;
  decltype(&::RasHangUpA) HangUp;
  decltype(&::RasEnumConnectionsA) EnumConnections;

  template <typename F>
  void Bind(F& f, const char* name) {
    f = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  }
  Api() {
    char path[MAX_PATH];
    GetSystemDirectoryA(path, MAX_PATH);
    lstrcatA(path, "\\rasapi32.dll");
    module = LoadLibraryA(path);
    Bind(EnumDevices, "RasEnumDevicesA");
    Bind(SetEntryProperties, "RasSetEntryPropertiesA");
    Bind(SetEntryDialParams, "RasSetEntryDialParamsA");
    Bind(GetEntryDialParams, "RasGetEntryDialParamsA");
    Bind(SetCredentials, "RasSetCredentialsA");
    Bind(Dial, "RasDialA");
    Bind(GetConnectStatus, "RasGetConnectStatusA");
    Bind(HangUp, "RasHangUpA");
    Bind(EnumConnections, "RasEnumConnectionsA");
  }
};

Api& Ras() {
  static Api api;
  return api;
}

const char kTwoDevices[] =
    "[service]\n"
    "[device]\ntype = modem\nname = Módem estándar\n"
    "[device]\ntype = isdn\nname = RDSI\n";

struct RasSimulatorTest : ::testing::Test {
  void SetUp() override {
    ASSERT_NE(nullptr, Ras().module);
    ASSERT_NE(nullptr, Ras().GetEntryDialParams) << "not the simulator: is rasapi32=n set?";
  }

  static RASENTRYA Entry(const char* device = "Módem estándar", const char* phone = "0909") {
    RASENTRYA e{};
    e.dwSize = kEntrySize;
    e.dwfOptions = 0x1C;
    lstrcpyA(e.szLocalPhoneNumber, phone);
    lstrcpyA(e.szDeviceType, "modem");
    lstrcpyA(e.szDeviceName, device);
    return e;
  }
  static RASDIALPARAMSA Params(const char* entry, const char* user = "", const char* pass = "") {
    RASDIALPARAMSA p{};
    p.dwSize = kDialParamsSize;
    lstrcpyA(p.szEntryName, entry);
    lstrcpyA(p.szUserName, user);
    lstrcpyA(p.szPassword, pass);
    return p;
  }
  DWORD AddEntry(const char* name, const char* device = "Módem estándar") {
    RASENTRYA e = Entry(device);
    return Ras().SetEntryProperties(nullptr, name, &e, kEntrySize, nullptr, 0);
  }
};

TEST_F(RasSimulatorTest, AcceptsOnlyTheOldRecordSizes) {
  RasSimulatorSession session(kTwoDevices);
  RASENTRYA e = Entry();
  e.dwSize = sizeof(RASENTRYA);  // the SDK's current, larger layout
  EXPECT_EQ(DWORD(ERROR_INVALID_SIZE),
            Ras().SetEntryProperties(nullptr, "A", &e, sizeof e, nullptr, 0));
  e.dwSize = kEntrySize;
  EXPECT_EQ(DWORD(ERROR_BUFFER_INVALID),
            Ras().SetEntryProperties(nullptr, "A", &e, kEntrySize - 1, nullptr, 0));
  EXPECT_EQ(0u, Ras().SetEntryProperties(nullptr, "A", &e, kEntrySize, nullptr, 0));

  RASDIALPARAMSA p = Params("A", "u", "p");
  p.dwSize = sizeof p;
  EXPECT_EQ(DWORD(ERROR_INVALID_SIZE), Ras().SetEntryDialParams(nullptr, &p, FALSE));
  HRASCONN h = nullptr;
  EXPECT_EQ(DWORD(ERROR_INVALID_SIZE), Ras().Dial(nullptr, nullptr, &p, 0, nullptr, &h));

  RASCREDENTIALSA c{};
  c.dwSize = kCredentialsSize + 4;
  EXPECT_EQ(DWORD(ERROR_INVALID_SIZE), Ras().SetCredentials(nullptr, "A", &c, FALSE));

  RASDEVINFOA d[2]{};
  d[0].dwSize = kDevInfoSize - 4;
  DWORD size = sizeof d, count = 0;
  EXPECT_EQ(DWORD(ERROR_INVALID_SIZE), Ras().EnumDevices(d, &size, &count));

  RASCONNSTATUSA status{};
  status.dwSize = sizeof status;
  EXPECT_EQ(DWORD(ERROR_INVALID_SIZE), Ras().GetConnectStatus(HRASCONN(1), &status));
  RASCONNA conns[2]{};
  conns[0].dwSize = sizeof(RASCONNA);
  size = sizeof conns;
  EXPECT_EQ(DWORD(ERROR_INVALID_SIZE), Ras().EnumConnections(conns, &size, &count));
}

TEST_F(RasSimulatorTest, AnswersSizeQueriesWithBufferTooSmall) {
  RasSimulatorSession session(kTwoDevices);
  DWORD size = 0, count = 0;
  EXPECT_EQ(DWORD(ERROR_BUFFER_TOO_SMALL), Ras().EnumDevices(nullptr, &size, &count));
  EXPECT_EQ(2 * kDevInfoSize, size);
  EXPECT_EQ(2u, count);

  // Records are laid out at the 4.0 stride the caller asked for.
  unsigned char buffer[2 * 152] = {};
  reinterpret_cast<RASDEVINFOA*>(buffer)->dwSize = kDevInfoSize;
  EXPECT_EQ(0u, Ras().EnumDevices(reinterpret_cast<RASDEVINFOA*>(buffer), &size, &count));
  EXPECT_STREQ("modem", reinterpret_cast<RASDEVINFOA*>(buffer)->szDeviceType);
  EXPECT_STREQ("isdn", reinterpret_cast<RASDEVINFOA*>(buffer + 152)->szDeviceType);
  EXPECT_STREQ("RDSI", reinterpret_cast<RASDEVINFOA*>(buffer + 152)->szDeviceName);
}

TEST_F(RasSimulatorTest, DialOutcomesComeFromTheScenario) {
  RasSimulatorSession session(std::string(kTwoDevices) + "[service]\ndial-outcome = busy\n");
  ASSERT_EQ(0u, AddEntry("Marvella"));
  RASDIALPARAMSA p = Params("Marvella", "u", "p");
  HRASCONN h = nullptr;
  EXPECT_EQ(DWORD(ERROR_LINE_BUSY), Ras().Dial(nullptr, nullptr, &p, 0, nullptr, &h));
  ASSERT_NE(nullptr, h);  // a failed call still has a handle to hang up
  RASCONNSTATUSA status{};
  status.dwSize = kConnStatusSize;
  ASSERT_EQ(0u, Ras().GetConnectStatus(h, &status));
  EXPECT_EQ(RASCS_Disconnected, status.rasconnstate);
  EXPECT_EQ(DWORD(ERROR_LINE_BUSY), status.dwError);
  // As on Windows, the failed call holds its port until it is hung up.
  HRASCONN again = nullptr;
  EXPECT_EQ(DWORD(ERROR_PORT_NOT_AVAILABLE), Ras().Dial(nullptr, nullptr, &p, 0, nullptr, &again));
  Ras().HangUp(again);
  EXPECT_EQ(0u, Ras().HangUp(h));
  EXPECT_EQ(DWORD(ERROR_INVALID_HANDLE), Ras().HangUp(h));

  session.Change([](SimState& s) {
    s.service.dialOutcome = "connected";
    s.service.checkCredentials = true;
    s.service.acceptUser = "alta";
    s.service.acceptPassword = "alta";
  });
  // An empty user name is dialled as it is, not with the entry's saved logon; an entry
  // without a device gets none.
  p = Params("Marvella", "alta", "alta");
  ASSERT_EQ(0u, Ras().SetEntryDialParams(nullptr, &p, FALSE));
  RASDIALPARAMSA empty = Params("Marvella"), noDevice = Params("Sin equipo", "alta", "alta");
  h = nullptr;
  EXPECT_EQ(DWORD(ERROR_AUTHENTICATION_FAILURE),
            Ras().Dial(nullptr, nullptr, &empty, 0, nullptr, &h));
  Ras().HangUp(h);
  ASSERT_EQ(0u, AddEntry("Sin equipo", ""));
  h = nullptr;
  EXPECT_EQ(DWORD(ERROR_DEVICE_DOES_NOT_EXIST),
            Ras().Dial(nullptr, nullptr, &noDevice, 0, nullptr, &h));
  h = nullptr;
  EXPECT_EQ(0u, Ras().Dial(nullptr, nullptr, &p, 0, nullptr, &h));
  // The modem is now busy with that call.
  HRASCONN second = nullptr;
  EXPECT_EQ(DWORD(ERROR_PORT_NOT_AVAILABLE), Ras().Dial(nullptr, nullptr, &p, 0, nullptr, &second));
  // A handle that is not null on entry is not a fresh dial.
  EXPECT_EQ(DWORD(ERROR_INVALID_HANDLE), Ras().Dial(nullptr, nullptr, &p, 0, nullptr, &h));
}

}  // namespace
}  // namespace marvella::rassim
