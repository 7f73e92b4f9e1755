// The kit's dial-up layer against the simulated remote-access service, in this process:
// entries as the system stores them and adapters. (The sign-up dial's rules are tested
// natively in SignUpDialTest; its calls through the library are walked in the wizard's
// window tests.)
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

using rassim::RasSimulatorSession;

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

}  // namespace
}  // namespace marvella
