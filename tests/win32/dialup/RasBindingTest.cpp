// The kit's dial-up layer against the simulated remote-access service, in this process:
// entries as the system stores them, adapters, the sign-up dial with the service's own
// answers, hang-ups and their waits.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "dialup/win32/RasLibrary.h"
#include "dialup/win32/RemoteAccess.h"
#include "simulators/ras/RasSimulatorSession.h"
#include "tests/unit/dialup/Recorders.h"

namespace marvella {
namespace {

using rassim::JournalRecord;
using rassim::RasSimulatorSession;
using Lines = std::vector<std::string>;
using Waits = std::vector<unsigned>;

const char kDevices[] =
    "[service]\n"
    "[device]\ntype = modem\nname = Módem estándar\n"
    "[device]\ntype = ISDN\nname = RDSI interna\n"
    "[device]\ntype = vpn\nname = Red privada virtual\n";

bool Create(const char* name, const char* number, const char* user, const char* password,
            const char* device = "Módem estándar") {
  DialEntrySettings entry = test::UserEntry(name, number, user, password);
  entry.deviceName = device;
  return CreateDialEntry(entry);
}

TEST(RasBinding, LoadsTheLibraryFromTheSystemDirectory) {
  test::RecordingSleeper sleeper;
  RasLibrary ras(sleeper);
  ASSERT_NE(nullptr, RasLibrary::Module());
  char loaded[MAX_PATH], expected[MAX_PATH];
  GetModuleFileNameA(RasLibrary::Module(), loaded, MAX_PATH);
  GetSystemDirectoryA(expected, MAX_PATH);
  lstrcatA(expected, "\\rasapi32.dll");
  EXPECT_EQ(0, lstrcmpiA(expected, loaded)) << loaded;
}

TEST(RasBinding, WritesTheEntryByteForByteWithItsLogon) {
  RasSimulatorSession session(kDevices);
  ASSERT_TRUE(Create("Marvella", "0909123456", "usuario", "clave"));

  // The record as the service received it, against an image built at fixed offsets.
  unsigned char expected[1768] = {};
  auto dword = [&](std::size_t at, std::uint32_t v) { std::memcpy(expected + at, &v, 4); };
  dword(0, 1768);
  dword(4, 0x1C);
  dword(8, 34);
  dword(12, 34);
  expected[16] = ' ';
  std::memcpy(expected + 27, "0909123456", 10);
  const unsigned char dns[] = {194, 179, 1, 100, 194, 179, 1, 101};
  std::memcpy(expected + 164, dns, sizeof dns);
  dword(184, 4);
  dword(188, 1);
  std::memcpy(expected + 972, "modem", 5);
  std::memcpy(expected + 989, "Módem estándar", 14);
  auto set = session.Calls("RasSetEntryPropertiesA");
  ASSERT_EQ(1u, set.size());
  EXPECT_EQ(rassim::Hex(expected, sizeof expected), set[0].Get("bytes"));
  EXPECT_EQ("1768", set[0].Get("size"));
  EXPECT_EQ("0", set[0].Get("device-info-size"));

  // What the service made of it, read through the system's own field offsets.
  rassim::SimState state = session.State();
  ASSERT_EQ(1u, state.entries.size());
  const rassim::SimEntry& e = state.entries[0];
  EXPECT_EQ("Marvella", e.name);
  EXPECT_EQ(
      DWORD(RASEO_SpecificNameServers | RASEO_IpHeaderCompression | RASEO_RemoteDefaultGateway),
      e.record.dwfOptions);
  EXPECT_EQ(34u, e.record.dwCountryID);
  EXPECT_EQ(34u, e.record.dwCountryCode);
  EXPECT_STREQ(" ", e.record.szAreaCode);
  EXPECT_STREQ("0909123456", e.record.szLocalPhoneNumber);
  EXPECT_EQ(194, e.record.ipaddrDns.a);
  EXPECT_EQ(101, e.record.ipaddrDnsAlt.d);
  EXPECT_EQ(DWORD(RASNP_Ip), e.record.dwfNetProtocols);
  EXPECT_EQ(DWORD(RASFP_Ppp), e.record.dwFramingProtocol);
  EXPECT_STREQ("modem", e.record.szDeviceType);
  EXPECT_STREQ("Módem estándar", e.record.szDeviceName);
  EXPECT_TRUE(e.hasDialParams);
  EXPECT_EQ("usuario", e.dialUser);
  EXPECT_TRUE(e.hasPassword);
  EXPECT_EQ("clave", e.dialPassword);
  EXPECT_EQ(7u, e.credentialsMask);
  EXPECT_EQ("usuario", e.credentialsUser);
  EXPECT_EQ("clave", e.credentialsPassword);
  EXPECT_EQ("1052", session.Calls("RasSetEntryDialParamsA").at(0).Get("dwSize"));
  EXPECT_EQ("0", session.Calls("RasSetEntryDialParamsA").at(0).Get("result"));
  EXPECT_EQ("540", session.Calls("RasSetCredentialsA").at(0).Get("dwSize"));
  EXPECT_EQ("0", session.Calls("RasSetCredentialsA").at(0).Get("result"));
}

TEST(RasBinding, ReplacesAnExistingEntryAndRefusesAnUnknownAdapter) {
  RasSimulatorSession session(kDevices);
  ASSERT_TRUE(Create("Marvella", "0909111111", "antes", "vieja"));
  ASSERT_TRUE(Create("Marvella", "0909222222", "despues", "nueva"));
  rassim::SimState state = session.State();
  ASSERT_EQ(1u, state.entries.size());
  EXPECT_STREQ("0909222222", state.entries[0].record.szLocalPhoneNumber);
  EXPECT_EQ("despues", state.entries[0].dialUser);
  EXPECT_EQ("nueva", state.entries[0].dialPassword);
  EXPECT_EQ("nueva", state.entries[0].credentialsPassword);
  EXPECT_EQ("183", session.Calls("RasValidateEntryNameA").at(1).Get("result"));

  EXPECT_FALSE(Create("Otra", "0909", "u", "p", "Módem que no hay"));
  EXPECT_EQ(1u, session.State().entries.size());
  EXPECT_EQ(2u, session.Calls("RasSetEntryDialParamsA").size());  // nothing stored for it
  EXPECT_EQ(2u, session.Calls("RasSetCredentialsA").size());
}

TEST(RasBinding, DeletingIsHarmlessWhenTheEntryIsMissing) {
  RasSimulatorSession session(kDevices);
  EXPECT_EQ(623u, DeleteDialEntry("No existe"));
  ASSERT_TRUE(Create("Marvella", "0909", "u", "p"));
  EXPECT_EQ(0u, DeleteDialEntry("Marvella"));
  EXPECT_TRUE(session.State().entries.empty());
}

TEST(RasBinding, ListsModemAndIsdnAdaptersOnly) {
  RasSimulatorSession session(kDevices);
  DialDeviceList list;
  ASSERT_TRUE(EnumerateDialDevices(list, true, nullptr, "test"));
  ASSERT_EQ(2u, list.Count());
  EXPECT_STREQ("Módem estándar", list.At(0).szDeviceName);
  EXPECT_STREQ("ISDN", list.At(1).szDeviceType);
  ASSERT_TRUE(EnumerateDialDevices(list, false, nullptr, "test"));
  EXPECT_EQ(3u, list.Count());

  session.Write("[service]\n");  // no adapter at all
  EXPECT_TRUE(EnumerateDialDevices(list, true, nullptr, "test"));
  EXPECT_EQ(0u, list.Count());
}

struct SignUpDialAgainstService : ::testing::Test {
  test::RecordingSleeper sleeper;
  test::RecordingProgress progress;
  SignUpEntrySettings settings = test::AltaEntry();
  RasConnHandle connection = 0;

  DialResult Dial(const DialCaller& caller = kResultsPageCaller) {
    return DialSignUpEntry(connection, progress, sleeper, caller, settings);
  }
};

TEST_F(SignUpDialAgainstService, DialsTheFreshEntryAndReportsConnected) {
  RasSimulatorSession session(std::string(kDevices) +
                              "[service]\ndial-accept-user = alta\n"
                              "dial-accept-password = alta\n");
  EXPECT_EQ(DialResult::kConnected, Dial());
  EXPECT_EQ((Lines{"Llamando al 0909123456", "Conectando"}), progress.lines);
  auto dials = session.Calls("RasDialA");
  ASSERT_EQ(1u, dials.size());
  EXPECT_EQ("Marvella Alta", dials[0].Get("entry"));
  EXPECT_EQ("0909123456", dials[0].Get("phone"));
  EXPECT_EQ("alta", dials[0].Get("user"));
  EXPECT_EQ(std::to_string(connection), dials[0].Get("handle"));
  rassim::SimState state = session.State();
  ASSERT_EQ(1u, state.connections.size());
  EXPECT_EQ(DWORD(RASCS_Connected), state.connections[0].state);
  EXPECT_STREQ("0909123456", state.FindEntry("Marvella Alta")->record.szLocalPhoneNumber);
  EXPECT_EQ("623", session.Calls("RasDeleteEntryA").at(0).Get("result"));  // first time
}

TEST_F(SignUpDialAgainstService, AFailedDialShowsTheServicesOwnText) {
  RasSimulatorSession session(std::string(kDevices) + "[service]\ndial-outcome = no-carrier\n");
  EXPECT_EQ(DialResult::kFailed, Dial());
  // The service's own text, asked of it directly.
  auto errorString = reinterpret_cast<DWORD(WINAPI*)(UINT, LPSTR, DWORD)>(
      reinterpret_cast<void*>(GetProcAddress(RasLibrary::Module(), "RasGetErrorStringA")));
  ASSERT_NE(nullptr, errorString);
  char text[512] = "";
  errorString(679, text, sizeof text);
  ASSERT_STRNE("", text);
  EXPECT_EQ((Lines{"Llamando al 0909123456", text}), progress.lines);
  EXPECT_NE(0u, connection);  // held, to be hung up later
}

TEST_F(SignUpDialAgainstService, BadCredentialsFailWithTheServicesText) {
  RasSimulatorSession session(std::string(kDevices) +
                              "[service]\ndial-accept-user = otro\n"
                              "dial-accept-password = otra\n");
  EXPECT_EQ(DialResult::kFailed, Dial());
  EXPECT_EQ(
      "Acceso denegado porque el nombre de usuario o la contraseña no son válidos en el "
      "dominio.",
      progress.lines.back());
}

TEST_F(SignUpDialAgainstService, AConnectionStillAuthenticatingIsNotConnected) {
  RasSimulatorSession session(std::string(kDevices) + "[service]\ndial-pending = Authenticate\n");
  EXPECT_EQ(DialResult::kNotConnected, Dial());
  EXPECT_EQ((Lines{"Llamando al 0909123456"}), progress.lines);
  EXPECT_EQ("Authenticate", session.Calls("RasGetConnectStatusA").at(0).Get("state"));
  EXPECT_NE(0u, connection);
}

TEST_F(SignUpDialAgainstService, DiallingAgainHangsUpFirstWithEachPagesWaits) {
  RasSimulatorSession session(kDevices);
  ASSERT_EQ(DialResult::kConnected, Dial(kResultsPageCaller));
  RasConnHandle first = connection;
  ASSERT_EQ(DialResult::kConnected, Dial(kResultsPageCaller));
  EXPECT_EQ((Waits{2000, 2500}), sleeper.waits);
  EXPECT_EQ(std::to_string(first), session.Calls("RasHangUpA").at(0).Get("handle"));
  EXPECT_EQ("0", session.Calls("RasHangUpA").at(0).Get("result"));

  // The user-type page keeps its hung-up handle; the service must still see a fresh dial.
  sleeper.waits.clear();
  ASSERT_EQ(DialResult::kConnected, Dial(kUserTypePageCaller));
  EXPECT_EQ((Waits{2000}), sleeper.waits);
  for (const JournalRecord& d : session.Calls("RasDialA")) EXPECT_FALSE(d.Has("in-handle"));
  EXPECT_EQ(1u, session.State().connections.size());

  sleeper.waits.clear();
  ReleaseConnection(connection, sleeper, kUserTypePageReleaseWaitMs);
  EXPECT_EQ((Waits{2000, 2000}), sleeper.waits);
  EXPECT_EQ(0u, connection);
  EXPECT_TRUE(session.State().connections.empty());
}

TEST_F(SignUpDialAgainstService, AlreadyOnLinePlacesNoCall) {
  RasSimulatorSession session(kDevices);
  settings.alreadyConnected = true;
  EXPECT_EQ(DialResult::kConnected, Dial());
  EXPECT_EQ((Lines{"Abriendo conexión con host remoto...", "Conectando"}), progress.lines);
  EXPECT_TRUE(session.Calls("RasDialA").empty());
  EXPECT_NE(nullptr, session.State().FindEntry("Marvella Alta"));  // re-created all the same
}

TEST(RasBindingHangUp, WaitsAfterEveryHangUpThatReachedTheService) {
  RasSimulatorSession session(kDevices);
  test::RecordingSleeper sleeper;
  EXPECT_EQ(6u, HangUpConnection(77, sleeper));  // no such connection: the system says so
  EXPECT_EQ((Waits{2000}), sleeper.waits);
}

}  // namespace
}  // namespace marvella
