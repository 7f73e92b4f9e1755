// Entries as the system receives them: the record byte for byte, the stored user name and
// password, and what happens to texts longer than their fields.
#include "dialup/DialEntry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/unit/dialup/FakeRas.h"

namespace marvella {
namespace {

struct DialEntryTest : ::testing::Test {
  test::RecordingSleeper sleeper;
  test::FakeRas ras{sleeper};

  bool Create(const char* name = "Marvella", const char* phone = "0909123456") {
    return CreateDialEntry(ras, test::UserEntry(name, phone, "usuario", "clave"));
  }
};

TEST_F(DialEntryTest, WritesTheWholeRecordAsTheOldSystemsExpectIt) {
  ASSERT_TRUE(Create());
  ASSERT_EQ(1u, ras.entries.size());

  // Built field by field at fixed offsets, independently of the structure declaration.
  unsigned char expected[1768] = {};
  auto dword = [&](std::size_t at, std::uint32_t v) { std::memcpy(expected + at, &v, 4); };
  auto text = [&](std::size_t at, const char* s) { std::memcpy(expected + at, s, std::strlen(s)); };
  dword(0, 1768);
  dword(4, 0x1C);
  dword(8, 34);
  dword(12, 34);
  text(16, " ");
  text(27, "0909123456");
  const unsigned char dns[] = {194, 179, 1, 100, 194, 179, 1, 101};
  std::memcpy(expected + 164, dns, sizeof dns);  // after ipaddr (160)
  dword(184, 4);                                 // TCP/IP only
  dword(188, 1);                                 // PPP
  text(972, "modem");
  text(989, "Módem estándar");
  EXPECT_EQ(0, std::memcmp(expected, &ras.entries[0], sizeof expected));
  EXPECT_EQ(1768u, ras.entrySizes[0]);
  EXPECT_FALSE(ras.deviceBlocks[0]);
  EXPECT_FALSE(ras.nonNullPhonebook);
  EXPECT_EQ('\xF3', ras.entries[0].szDeviceName[1]);  // code page 1252
}

TEST_F(DialEntryTest, StoresUserNameAndPasswordAsDialParametersAndCredentials) {
  ASSERT_TRUE(Create());
  EXPECT_EQ((std::vector<std::string>{"RasValidateEntryName", "RasSetEntryProperties",
                                      "RasSetEntryDialParams", "RasSetCredentials"}),
            ras.calls);
  ASSERT_EQ(1u, ras.dialParams.size());
  const RASDIALPARAMSA& p = ras.dialParams[0];
  EXPECT_EQ(1052u, p.dwSize);
  EXPECT_STREQ("Marvella", p.szEntryName);
  EXPECT_STREQ("", p.szPhoneNumber);  // the entry's own number is dialled
  EXPECT_STREQ("", p.szCallbackNumber);
  EXPECT_STREQ("usuario", p.szUserName);
  EXPECT_STREQ("clave", p.szPassword);
  EXPECT_STREQ("", p.szDomain);
  EXPECT_FALSE(ras.removedPassword[0]);

  ASSERT_EQ(1u, ras.credentials.size());
  const RASCREDENTIALSA& c = ras.credentials[0];
  EXPECT_EQ(540u, c.dwSize);
  EXPECT_EQ(7u, c.dwMask);
  EXPECT_STREQ("usuario", c.szUserName);
  EXPECT_STREQ("clave", c.szPassword);
  EXPECT_STREQ("", c.szDomain);
  EXPECT_FALSE(ras.cleared[0]);
  for (const std::string& name : ras.names) EXPECT_EQ("Marvella", name);
}

TEST_F(DialEntryTest, AnExistingNameIsOverwrittenAndARefusedEntryStoresNoPassword) {
  ras.validateResult = kErrorAlreadyExists;
  EXPECT_TRUE(Create());
  EXPECT_EQ(1u, ras.credentials.size());

  ras = test::FakeRas(sleeper);
  ras.setPropertiesResult = 608;  // e.g. an adapter the system does not have
  EXPECT_FALSE(Create());
  EXPECT_TRUE(ras.dialParams.empty());
  EXPECT_TRUE(ras.credentials.empty());

  ras = test::FakeRas(sleeper);
  ras.missing = true;
  EXPECT_FALSE(Create());
}

TEST_F(DialEntryTest, CutsLongTextsToTheirFieldsAndUsesOneNameThroughout) {
  const std::string name(300, 'N');
  const std::string phone(200, '9');
  const std::string user(400, 'u');
  const std::string type(40, 't');
  const std::string device(200, 'd');
  DialEntrySettings entry;
  entry.entryName = name.c_str();
  entry.phoneNumber = phone.c_str();
  entry.userName = user.c_str();
  entry.password = user.c_str();
  entry.deviceType = type.c_str();
  entry.deviceName = device.c_str();
  ASSERT_TRUE(CreateDialEntry(ras, entry));
  const RASENTRYA& e = ras.entries[0];
  EXPECT_EQ(std::string(128, '9'), e.szLocalPhoneNumber);
  EXPECT_EQ(std::string(16, 't'), e.szDeviceType);
  EXPECT_EQ(std::string(128, 'd'), e.szDeviceName);
  EXPECT_EQ(0u, e.dwChannels);  // nothing spilled into the fields after them
  EXPECT_EQ(std::string(256, 'u'), ras.dialParams[0].szUserName);
  EXPECT_EQ(std::string(256, 'u'), ras.credentials[0].szPassword);
  EXPECT_EQ(std::string(256, 'N'), ras.dialParams[0].szEntryName);
  for (const std::string& n : ras.names) EXPECT_EQ(std::string(256, 'N'), n);
  EXPECT_EQ(0, e.ipaddrDns.a | e.ipaddrDns.b | e.ipaddrDns.c | e.ipaddrDns.d);
}

TEST_F(DialEntryTest, DeleteReturnsTheSystemsAnswer) {
  EXPECT_EQ(623u, DeleteDialEntry(ras, "Inexistente"));
  EXPECT_EQ("Inexistente", ras.names.back());
  ras.missing = true;
  EXPECT_EQ(0u, DeleteDialEntry(ras, "Marvella"));
}

}  // namespace
}  // namespace marvella
