// install.ini cases, run through any profile source: the portable reader natively and under
// Wine (tests/unit/installer), the system's GetPrivateProfileStringA under Wine
// (tests/win32/installer). A fixture type provides `Open(text)` returning a ProfileSource
// for a file with that text, and `Missing()` for a file that does not exist.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "common/OperatorSettings.h"
#include "installer/InstallIni.h"
#include "tests/unit/common/RecordingMessageSink.h"

namespace marvella::test {

template <typename Files>
class InstallIniCases : public testing::Test {
 protected:
  void Read(ProfileSource& ini) {
    ReadInstallIni(ini, "C:\\Descargas\\install.ini", messages, config, account, nodes);
  }
  void ReadText(const std::string& text) { Read(files.Open(text)); }

  std::string NodesText(int first, int last, bool phones = true) {
    std::string text = "[Nodes]\r\n";
    for (int n = first; n <= last; ++n) {
      std::string i = std::to_string(n);
      text += "City" + i + "=Ciudad " + i + "\r\nState" + i + "=Provincia\r\n";
      if (phones) text += "Phone" + i + "=90" + i + "\r\n";
    }
    return text;
  }

  Files files;
  RecordingMessageSink messages;
  InstallConfig config;
  AccountRecord account;
  AccessNodeList nodes;
};

TYPED_TEST_SUITE_P(InstallIniCases);

TYPED_TEST_P(InstallIniCases, ReadsEveryKeyOfAFullFile) {
  this->ReadText(
      "[UserServer]\r\nProfileName=Marvella Alta\r\nDialUp_PhoneNumber=908 100 100\r\n"
      "DialUp_Username=alta\r\nDialUp_Password=clave\r\nServer_IP=127.0.0.1\r\n"
      "Server_Port=7000\r\nDialUp_DNS1=10.0.0.1\r\nDialUp_DNS2=10.0.0.2\r\n"
      "[Account]\r\nProfileName=Mi conexi\xF3n\r\n"
      "[Nodes]\r\nCity1=A Coru\xF1"
      "a\r\nState1=A Coru\xF1"
      "a\r\nPhone1=981\r\n"
      "City2=Lugo\r\nState2=Lugo\r\nPhone2=982\r\n");
  EXPECT_TRUE(this->messages.shown.empty());
  EXPECT_EQ("Marvella Alta", this->config.signUpEntryName);
  EXPECT_EQ("908 100 100", this->account.dialupnum);
  EXPECT_EQ("alta", this->config.signUpUserName);
  EXPECT_EQ("clave", this->config.signUpPassword);
  EXPECT_EQ("127.0.0.1", this->config.serverAddress);
  EXPECT_EQ("7000", this->config.serverPort);
  EXPECT_EQ("10.0.0.1", this->config.signUpDns1);
  EXPECT_EQ("10.0.0.2", this->config.signUpDns2);
  EXPECT_EQ("Mi conexi\xF3n", this->account.profileName);
  ASSERT_EQ(2u, this->nodes.size());
  EXPECT_EQ(
      "A Coru\xF1"
      "a",
      this->nodes[0].City);
  EXPECT_EQ(
      "A Coru\xF1"
      "a",
      this->nodes[0].State);
  EXPECT_EQ("981", this->nodes[0].Phone);
  EXPECT_EQ("Lugo", this->nodes[1].City);
}

TYPED_TEST_P(InstallIniCases, OnlySection254NodesAreRead) {
  this->ReadText("[UserServer]\r\nProfileName=x\r\n" + this->NodesText(1, 300));
  ASSERT_EQ(254u, this->nodes.size());
  EXPECT_EQ("Ciudad 254", this->nodes.back().City);
  EXPECT_EQ("90254", this->nodes.back().Phone);
}

TYPED_TEST_P(InstallIniCases, AGapEndsTheNodeList) {
  this->ReadText(
      "[UserServer]\r\nProfileName=x\r\n[Nodes]\r\nCity1=A\r\nState1=SA\r\nPhone1=1\r\n"
      "City2=B\r\nState2=SB\r\nCity3=C\r\nState3=SC\r\nPhone3=3\r\n");
  ASSERT_EQ(1u, this->nodes.size());
  EXPECT_EQ("A", this->nodes[0].City);
  this->nodes.clear();
  this->ReadText(
      "[UserServer]\r\nProfileName=x\r\n[Nodes]\r\nCity2=B\r\nState2=SB\r\nPhone2=2\r\n");
  EXPECT_TRUE(this->nodes.empty()) << "numbering starts at 1";
  this->ReadText("[UserServer]\r\nProfileName=x\r\n[Nodes]\r\nCity1=A\r\nState1=\r\nPhone1=1\r\n");
  EXPECT_TRUE(this->nodes.empty()) << "an empty value is a gap too";
}

TYPED_TEST_P(InstallIniCases, OnlyTheAccountSectionShowsTheMessageAndUsesDefaults) {
  this->ReadText("[Account]\r\nProfileName=Otra\r\n");
  ASSERT_EQ(1u, this->messages.shown.size());
  EXPECT_EQ("No puedo leer fichero C:\\Descargas\\install.ini", this->messages.shown[0].text);
  EXPECT_EQ(MessageIcon::kWarning, this->messages.shown[0].style.icon);
  EXPECT_EQ(MessageButtons::kOk, this->messages.shown[0].style.buttons);
  EXPECT_EQ("", this->config.signUpEntryName);
  EXPECT_EQ(MARVELLA_SERVER_IP, this->config.serverAddress);
  EXPECT_EQ("6667", this->config.serverPort);
  EXPECT_EQ("Otra", this->account.profileName);
  EXPECT_TRUE(this->nodes.empty());
}

TYPED_TEST_P(InstallIniCases, AMissingFileShowsTheMessageAndUsesDefaults) {
  this->Read(this->files.Missing());
  ASSERT_EQ(1u, this->messages.shown.size());
  EXPECT_EQ("No puedo leer fichero C:\\Descargas\\install.ini", this->messages.shown[0].text);
  EXPECT_EQ(MARVELLA_SERVER_IP, this->config.serverAddress);
  EXPECT_EQ("6667", this->config.serverPort);
  EXPECT_EQ("Marvella", this->account.profileName);
  EXPECT_EQ("", this->account.dialupnum);
  EXPECT_TRUE(this->nodes.empty());
}

TYPED_TEST_P(InstallIniCases, ValuesKeepTheir254FirstCharacters) {
  std::string longName(300, 'n');
  this->ReadText("[UserServer]\r\nProfileName=" + longName + "\r\nServer_IP=" + longName +
                 "\r\n[Nodes]\r\nCity1=" + longName + "\r\nState1=S\r\nPhone1=1\r\n");
  EXPECT_EQ(std::string(254, 'n'), this->config.signUpEntryName);
  EXPECT_EQ(std::string(254, 'n'), this->config.serverAddress);
  ASSERT_EQ(1u, this->nodes.size());
  EXPECT_EQ(std::string(254, 'n'), this->nodes[0].City);
}

TYPED_TEST_P(InstallIniCases, EmptyValuesAreNotDefaults) {
  // A key written with nothing after "=" is read as empty, as the system does.
  this->ReadText(
      "[UserServer]\r\nProfileName=x\r\nServer_IP=\r\nServer_Port=\r\n"
      "[Account]\r\nProfileName=\r\n");
  EXPECT_EQ("", this->config.serverAddress);
  EXPECT_EQ("", this->config.serverPort);
  EXPECT_EQ("", this->account.profileName);
}

REGISTER_TYPED_TEST_SUITE_P(InstallIniCases, ReadsEveryKeyOfAFullFile, OnlySection254NodesAreRead,
                            AGapEndsTheNodeList,
                            OnlyTheAccountSectionShowsTheMessageAndUsesDefaults,
                            AMissingFileShowsTheMessageAndUsesDefaults,
                            ValuesKeepTheir254FirstCharacters, EmptyValuesAreNotDefaults);

}  // namespace marvella::test
