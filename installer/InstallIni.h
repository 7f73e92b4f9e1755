// Reading install.ini: the server settings, the first account values and the access nodes.
#pragma once

#include <string>

#include "common/MessageSink.h"
#include "common/ProfileSource.h"
#include "installer/AccessNode.h"
#include "installer/InstallConfig.h"
#include "signup/AccountRecord.h"

namespace marvella {

// Every value is read into a buffer of this size, so it keeps at most 254 characters.
constexpr size_t kProfileValueCapacity = 255;
// Nodes 1 to 254 at most; the first gap ends the list.
constexpr int kMaxAccessNodes = 254;

// The message when "ProfileName" of "UserServer" is empty (%s: full path of install.ini).
#define INSTALL_INI_UNREADABLE_TEXT "No puedo leer fichero %s"

// The path of install.ini beside the program at `programPath`.
std::string InstallIniPath(const std::string& programPath);

// Reads the settings from `ini` (the file at `iniPath`): InstallConfig, the account's
// dialupnum and profileName, and the access nodes appended to `nodes`. When the sign-up
// entry name is empty, shows "No puedo leer fichero <iniPath>" and goes on with defaults.
void ReadInstallIni(ProfileSource& ini, const std::string& iniPath, MessageSink& messages,
                    InstallConfig& config, AccountRecord& account, AccessNodeList& nodes);

}  // namespace marvella
