// The portal's addresses the installer opens after sign-up and makes the browser's start
// page, with the account's user name and password in the query.
#pragma once

#include <string>
#include <string_view>

#include "installer/WizardRunFlags.h"
#include "signup/AccountRecord.h"

namespace marvella {

struct PortalAddresses {
  std::string webHost;      // host (and ":port") of the portal's web server
  std::string homeAddress;  // written as the browser's start page
};

// The operator's portal (common/OperatorSettings.h).
PortalAddresses OperatorPortal();

// Percent-encodes every byte that is not unreserved in a URL (letters, digits, "-", ".",
// "_", "~"), so a password with "&", "#", "+", "%" or "=" reaches the CGI whole; a blank
// becomes "%20".
std::string EncodeQueryValue(std::string_view value);

// The first visit after sign-up: "/cgi-bin/logon?user=U&password=P&conexion=C" on the
// portal's host (C is "0" when the machine was already on line, else "1"); for an account
// fetched on the user-type page, "/cgi-bin/gohome?user=U&password=P". U and P are the
// account's dial-up user name and password, encoded.
std::string FirstVisitAddress(const std::string& webHost, const AccountRecord& account,
                              const WizardRunFlags& flags);

}  // namespace marvella
