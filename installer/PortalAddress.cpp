// Portal addresses and their query encoding.
#include "installer/PortalAddress.h"

#include "common/OperatorSettings.h"

namespace marvella {

PortalAddresses OperatorPortal() {
  return PortalAddresses{MARVELLA_PORTAL_HOST, "http://" MARVELLA_PORTAL_HOST "/"};
}

std::string EncodeQueryValue(std::string_view value) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(value.size() * 3);
  for (char c : value) {
    unsigned char b = static_cast<unsigned char>(c);
    bool unreserved = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') ||
                      b == '-' || b == '.' || b == '_' || b == '~';
    if (unreserved) {
      out += c;
    } else {
      out += '%';
      out += kHex[b >> 4];
      out += kHex[b & 0x0F];
    }
  }
  return out;
}

std::string FirstVisitAddress(const std::string& webHost, const AccountRecord& account,
                              const WizardRunFlags& flags) {
  // The user name comes from the server as the password does: encoded alike, so neither
  // can add or cut a query item.
  std::string query =
      "user=" + EncodeQueryValue(account.userid) + "&password=" + EncodeQueryValue(account.pass);
  if (flags.accountFetched) return "http://" + webHost + "/cgi-bin/gohome?" + query;
  return "http://" + webHost + "/cgi-bin/logon?" + query +
         "&conexion=" + (flags.alreadyConnected ? "0" : "1");
}

}  // namespace marvella
