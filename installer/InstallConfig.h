// The seven texts of section "UserServer" of install.ini, read once at start-up.
#pragma once

#include <string>

namespace marvella {

struct InstallConfig {
  std::string signUpEntryName;  // "ProfileName": the temporary sign-up dial-up entry
  std::string signUpUserName;   // "DialUp_Username"
  std::string signUpPassword;   // "DialUp_Password"
  std::string serverAddress;    // "Server_IP": dotted IPv4 text
  std::string serverPort;       // "Server_Port": decimal text
  std::string signUpDns1;       // "DialUp_DNS1"
  std::string signUpDns2;       // "DialUp_DNS2"
};

}  // namespace marvella
