// The account settings: the dial-up entry the installer creates and what it shows the user.
// One record lives for the whole run in the installer's application object.
#pragma once

#include <string>

namespace marvella {

struct AccountRecord {
  std::string profileName;  // the user's own dial-up entry (install.ini, the hardware page)
  std::string dialupnum;    // access number; item "dialupnum"
  std::string dialPrefix;   // outside-line prefix ("Prefijo:")
  std::string userid;       // dial-up user name; item "userid"
  std::string pass;         // dial-up password; item "pass"
  std::string dns1;         // dotted IPv4 texts; items "dns1", "dns2"
  std::string dns2;
  std::string smtp;  // kept, not used by the installer
  std::string idwebmail;
  std::string pagpers;  // personal page address
};

}  // namespace marvella
