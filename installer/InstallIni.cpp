// install.ini: keys, defaults and the node list.
#include "installer/InstallIni.h"

#include "common/BoundedText.h"
#include "common/OperatorSettings.h"
#include "common/PathText.h"

namespace marvella {
namespace {

std::string Read(ProfileSource& ini, const char* section, const char* key, const char* fallback) {
  char value[kProfileValueCapacity];
  ini.ReadString(section, key, fallback, value, sizeof value);
  value[sizeof value - 1] = '\0';
  return value;
}

}  // namespace

std::string InstallIniPath(const std::string& programPath) {
  return DirectoryOf(programPath) + "install.ini";
}

void ReadInstallIni(ProfileSource& ini, const std::string& iniPath, MessageSink& messages,
                    InstallConfig& config, AccountRecord& account, AccessNodeList& nodes) {
  config.signUpEntryName = Read(ini, "UserServer", "ProfileName", "");
  if (config.signUpEntryName.empty())
    ShowString(messages, 0, MessageStyle{}, INSTALL_INI_UNREADABLE_TEXT, iniPath.c_str());
  account.dialupnum = Read(ini, "UserServer", "DialUp_PhoneNumber", "");
  config.signUpUserName = Read(ini, "UserServer", "DialUp_Username", "");
  config.signUpPassword = Read(ini, "UserServer", "DialUp_Password", "");
  config.serverAddress = Read(ini, "UserServer", "Server_IP", MARVELLA_SERVER_IP);
  config.serverPort = Read(ini, "UserServer", "Server_Port", MARVELLA_SERVER_PORT);
  config.signUpDns1 = Read(ini, "UserServer", "DialUp_DNS1", "");
  config.signUpDns2 = Read(ini, "UserServer", "DialUp_DNS2", "");
  account.profileName = Read(ini, "Account", "ProfileName", MARVELLA_DEFAULT_ENTRY_NAME);

  for (int n = 1; n <= kMaxAccessNodes; ++n) {
    char key[16];
    FormatBounded(key, sizeof key, "City%d", n);
    std::string city = Read(ini, "Nodes", key, "");
    FormatBounded(key, sizeof key, "State%d", n);
    std::string state = Read(ini, "Nodes", key, "");
    FormatBounded(key, sizeof key, "Phone%d", n);
    std::string phone = Read(ini, "Nodes", key, "");
    if (city.empty() || state.empty() || phone.empty()) break;
    nodes.push_back(AccessNode{city, state, phone});
  }
}

}  // namespace marvella
