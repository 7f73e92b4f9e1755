// The simulated remote-access service itself, called as the system's library: the sizes it
// accepts, the results it gives, the state it keeps and the file that holds it. The kit's
// tests are only as good as this stand-in.
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
  decltype(&::RasValidateEntryNameA) ValidateEntryName;
  decltype(&::RasSetEntryPropertiesA) SetEntryProperties;
  decltype(&::RasGetEntryPropertiesA) GetEntryProperties;
  decltype(&::RasSetEntryDialParamsA) SetEntryDialParams;
  decltype(&::RasGetEntryDialParamsA) GetEntryDialParams;
  decltype(&::RasSetCredentialsA) SetCredentials;
  decltype(&::RasDeleteEntryA) DeleteEntry;
  decltype(&::RasDialA) Dial;
  decltype(&::RasGetConnectStatusA) GetConnectStatus;
  decltype(&::RasGetErrorStringA) GetErrorString;
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
    Bind(ValidateEntryName, "RasValidateEntryNameA");
    Bind(SetEntryProperties, "RasSetEntryPropertiesA");
    Bind(GetEntryProperties, "RasGetEntryPropertiesA");
    Bind(SetEntryDialParams, "RasSetEntryDialParamsA");
    Bind(GetEntryDialParams, "RasGetEntryDialParamsA");
    Bind(SetCredentials, "RasSetCredentialsA");
    Bind(DeleteEntry, "RasDeleteEntryA");
    Bind(Dial, "RasDialA");
    Bind(GetConnectStatus, "RasGetConnectStatusA");
    Bind(GetErrorString, "RasGetErrorStringA");
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

  ASSERT_EQ(0u, AddEntry("A"));
  RASENTRYA e{};
  e.dwSize = kEntrySize;
  size = 100;
  EXPECT_EQ(DWORD(ERROR_BUFFER_TOO_SMALL),
            Ras().GetEntryProperties(nullptr, "A", &e, &size, nullptr, nullptr));
  EXPECT_EQ(kEntrySize, size);
  EXPECT_EQ(0u, Ras().GetEntryProperties(nullptr, "A", &e, &size, nullptr, nullptr));
  EXPECT_STREQ("0909", e.szLocalPhoneNumber);

  RasSimulatorSession none("[service]\n");  // no adapter at all
  size = 0;
  EXPECT_EQ(0u, Ras().EnumDevices(nullptr, &size, &count));
  EXPECT_EQ(0u, count);
}

TEST_F(RasSimulatorTest, KeepsAPhonebookOfNamedEntries) {
  RasSimulatorSession session(kTwoDevices);
  EXPECT_EQ(0u, Ras().ValidateEntryName(nullptr, "Marvella"));
  EXPECT_EQ(DWORD(ERROR_INVALID_NAME), Ras().ValidateEntryName(nullptr, ""));
  EXPECT_EQ(DWORD(ERROR_INVALID_NAME), Ras().ValidateEntryName(nullptr, ".oculta"));
  EXPECT_EQ(DWORD(ERROR_INVALID_NAME), Ras().ValidateEntryName(nullptr, "a/b"));
  EXPECT_EQ(DWORD(ERROR_INVALID_NAME),
            Ras().ValidateEntryName(nullptr, std::string(257, 'x').c_str()));
  EXPECT_EQ(DWORD(ERROR_CANNOT_OPEN_PHONEBOOK),
            Ras().ValidateEntryName("C:\\otra.pbk", "Marvella"));

  ASSERT_EQ(0u, AddEntry("Marvella"));
  EXPECT_EQ(DWORD(ERROR_ALREADY_EXISTS), Ras().ValidateEntryName(nullptr, "MARVELLA"));
  EXPECT_EQ(DWORD(ERROR_DEVICE_DOES_NOT_EXIST), AddEntry("Otra", "Módem que no existe"));
  EXPECT_EQ(0u, Ras().DeleteEntry(nullptr, "Marvella"));
  EXPECT_EQ(DWORD(ERROR_CANNOT_FIND_PHONEBOOK_ENTRY), Ras().DeleteEntry(nullptr, "Marvella"));
  EXPECT_TRUE(session.State().entries.empty());
}

TEST_F(RasSimulatorTest, StoresDialParametersAsTheOldSystemsDid) {
  RasSimulatorSession session(kTwoDevices);
  RASDIALPARAMSA p = Params("Nada", "u", "p");
  EXPECT_EQ(DWORD(ERROR_CANNOT_FIND_PHONEBOOK_ENTRY), Ras().SetEntryDialParams(nullptr, &p, FALSE));
  ASSERT_EQ(0u, AddEntry("Marvella"));
  p = Params("Marvella", "usuario", "clave");
  ASSERT_EQ(0u, Ras().SetEntryDialParams(nullptr, &p, FALSE));
  p = Params("Marvella", "", "otra");  // no user name: nothing changes
  ASSERT_EQ(0u, Ras().SetEntryDialParams(nullptr, &p, FALSE));

  RASDIALPARAMSA got = Params("Marvella");
  BOOL password = FALSE;
  ASSERT_EQ(0u, Ras().GetEntryDialParams(nullptr, &got, &password));
  EXPECT_STREQ("usuario", got.szUserName);
  EXPECT_STREQ("clave", got.szPassword);
  EXPECT_TRUE(password);

  p = Params("Marvella", "usuario", "clave");
  ASSERT_EQ(0u, Ras().SetEntryDialParams(nullptr, &p, TRUE));  // forget the password
  got = Params("Marvella");
  ASSERT_EQ(0u, Ras().GetEntryDialParams(nullptr, &got, &password));
  EXPECT_STREQ("", got.szPassword);
  EXPECT_FALSE(password);

  RASCREDENTIALSA c{};
  c.dwSize = kCredentialsSize;
  c.dwMask = RASCM_UserName | RASCM_Password;
  lstrcpyA(c.szUserName, "cu");
  lstrcpyA(c.szPassword, "cp");
  ASSERT_EQ(0u, Ras().SetCredentials(nullptr, "Marvella", &c, FALSE));
  const SimEntry& e = session.State().entries.at(0);
  EXPECT_EQ(DWORD(RASCM_UserName | RASCM_Password), e.credentialsMask);
  EXPECT_EQ("cu", e.credentialsUser);
  EXPECT_EQ("cp", e.credentialsPassword);
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

  char text[512];
  ASSERT_EQ(0u, Ras().GetErrorString(ERROR_LINE_BUSY, text, sizeof text));
  EXPECT_STREQ("La línea telefónica está ocupada.", text);
  EXPECT_EQ(DWORD(ERROR_INSUFFICIENT_BUFFER), Ras().GetErrorString(ERROR_LINE_BUSY, text, 5));
  EXPECT_EQ(DWORD(ERROR_INVALID_PARAMETER), Ras().GetErrorString(12345, text, sizeof text));

  session.Change([](SimState& s) {
    s.service.dialOutcome = "connected";
    s.service.checkCredentials = true;
    s.service.acceptUser = "alta";
    s.service.acceptPassword = "alta";
  });
  h = nullptr;
  EXPECT_EQ(DWORD(ERROR_AUTHENTICATION_FAILURE), Ras().Dial(nullptr, nullptr, &p, 0, nullptr, &h));
  Ras().HangUp(h);
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

TEST_F(RasSimulatorTest, ConnectionsPassThroughTheirIntermediateStates) {
  RasSimulatorSession session(std::string(kTwoDevices) +
                              "[service]\ndial-pending = ConnectDevice, Authenticate\n");
  ASSERT_EQ(0u, AddEntry("Marvella"));
  RASDIALPARAMSA p = Params("Marvella", "u", "p");
  HRASCONN h = nullptr;
  ASSERT_EQ(0u, Ras().Dial(nullptr, nullptr, &p, 0, nullptr, &h));

  RASCONNA conns[4]{};
  conns[0].dwSize = kConnSize;
  DWORD size = 4 * kConnSize, count = 0;
  ASSERT_EQ(0u, Ras().EnumConnections(conns, &size, &count));  // listed while dialling
  ASSERT_EQ(1u, count);
  EXPECT_EQ(h, conns[0].hrasconn);  // at the 4.0 stride: the first record is read as is
  EXPECT_STREQ("Marvella", conns[0].szEntryName);

  RASCONNSTATUSA status{};
  status.dwSize = kConnStatusSize;
  std::string seen;
  for (int i = 0; i < 4; ++i) {
    ASSERT_EQ(0u, Ras().GetConnectStatus(h, &status));
    seen += ConnStateName(status.rasconnstate) + " ";
  }
  EXPECT_EQ("ConnectDevice Authenticate Connected Connected ", seen);
  EXPECT_STREQ("Módem estándar", status.szDeviceName);

  session.Change([](SimState& s) { s.service.dialOutcome = "stalled"; });
  Ras().HangUp(h);
  h = nullptr;
  ASSERT_EQ(0u, Ras().Dial(nullptr, nullptr, &p, 0, nullptr, &h));
  seen.clear();
  for (int i = 0; i < 3; ++i) {
    ASSERT_EQ(0u, Ras().GetConnectStatus(h, &status));
    seen += ConnStateName(status.rasconnstate) + " ";
  }
  EXPECT_EQ("ConnectDevice Authenticate Authenticate ", seen);
}

TEST_F(RasSimulatorTest, JournalsEveryCallWithTheBytesItWasGiven) {
  RasSimulatorSession session(kTwoDevices);
  RASENTRYA e = Entry();
  ASSERT_EQ(0u, Ras().SetEntryProperties(nullptr, "Mi conexión", &e, kEntrySize, nullptr, 0));
  auto calls = session.Calls("RasSetEntryPropertiesA");
  ASSERT_EQ(1u, calls.size());
  EXPECT_EQ("Mi conexión", calls[0].Get("entry"));
  EXPECT_EQ("0", calls[0].Get("result"));
  EXPECT_EQ(Hex(&e, kEntrySize), calls[0].Get("bytes"));
}

TEST(RasSimulatorState, SurvivesItsOwnTextFormat) {
  SimState s = ParseState(
      "[service]\nmissing-exports = RasSetCredentialsA, RasHangUpA\ndial-outcome = 678\n"
      "dial-pending = 2 Authenticate\ndial-accept-user = %20a b%25\n"
      "[device]\ntype = modem\nname = Módem %25 raro%20\n"
      "[entry]\nname = Mi conexión\ndwfOptions = 0x1c\nszAreaCode = %20\nipaddrDns = 300.1.2.3\n"
      "szLocalPhoneNumber = 0909\ndial.szUserName = u\ndial.szPassword =\n"
      "[connection]\nhandle = 4\nentry = X\nstate = Authenticate\npending = OpenPort\n"
      "[journal]\ncall = RasDialA entry=a%20b cmdline=rnaui.dll,RnaDial%20X result=0\n");
  SimState again = ParseState(FormatState(s));
  EXPECT_EQ(FormatState(s), FormatState(again));
  EXPECT_EQ(2u, again.service.missingExports.size());
  EXPECT_EQ(" a b%", again.service.acceptUser);
  EXPECT_EQ("Módem % raro ", again.devices.at(0).name);
  const SimEntry& e = again.entries.at(0);
  EXPECT_EQ(" ", std::string(e.record.szAreaCode));
  EXPECT_EQ(0x1Cu, e.record.dwfOptions);
  EXPECT_EQ(44, e.record.ipaddrDns.a);  // written back as it is stored: one byte
  EXPECT_TRUE(e.hasPassword);
  EXPECT_EQ("", e.dialPassword);
  EXPECT_EQ(DWORD(RASCS_Authenticate), again.connections.at(0).state);
  JournalRecord j = JournalRecord::Parse(again.journal.at(0));
  EXPECT_EQ("RasDialA", j.function);
  EXPECT_EQ("a b", j.Get("entry"));
  EXPECT_EQ("rnaui.dll,RnaDial X", j.Get("cmdline"));
  EXPECT_EQ((std::vector<DWORD>{2, RASCS_Authenticate}), again.service.dialPending);

  SimState fresh = ParseState("");
  ASSERT_EQ(1u, fresh.devices.size());
  EXPECT_EQ("modem", fresh.devices[0].type);
  EXPECT_TRUE(ParseState("[service]\n").devices.empty());
}

}  // namespace
}  // namespace marvella::rassim
