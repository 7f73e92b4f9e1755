// Entry records as the system stores them: every field not named here stays zero.
#include "dialup/DialEntry.h"

#include "common/BoundedText.h"
#include "dialup/ParseDottedAddress.h"

namespace marvella {

namespace {

const char* OrEmpty(const char* text) { return text ? text : ""; }

// Spain: dialling uses the complete number as it stands, not country and area codes.
constexpr std::uint32_t kCountry = 34;

}  // namespace

bool CreateDialEntry(RasOperations& ras, const char* entryName, const char* phoneNumber,
                     const char* userName, const char* password, const char* primaryDns,
                     const char* secondaryDns, const char* deviceType, const char* deviceName) {
  // One cut name for every call, so the properties, dial parameters and credentials all
  // land on the same entry.
  char name[kRasMaxEntryName + 1];
  CopyBounded(name, OrEmpty(entryName));

  ras.RasValidateEntryName(nullptr, name);  // an existing entry is simply overwritten

  RASENTRYA entry{};
  entry.dwSize = sizeof entry;
  entry.dwfOptions =
      kRaseoSpecificNameServers | kRaseoIpHeaderCompression | kRaseoRemoteDefaultGateway;
  entry.dwCountryID = kCountry;
  entry.dwCountryCode = kCountry;
  CopyBounded(entry.szAreaCode, " ");
  CopyBounded(entry.szLocalPhoneNumber, OrEmpty(phoneNumber));
  ParseDottedAddress(OrEmpty(primaryDns), entry.ipaddrDns);
  ParseDottedAddress(OrEmpty(secondaryDns), entry.ipaddrDnsAlt);
  entry.dwfNetProtocols = kRasnpIp;
  entry.dwFramingProtocol = kRasfpPpp;
  CopyBounded(entry.szDeviceType, OrEmpty(deviceType));
  CopyBounded(entry.szDeviceName, OrEmpty(deviceName));
  if (ras.RasSetEntryProperties(nullptr, name, &entry, sizeof entry, nullptr, 0) != 0) return false;

  RASDIALPARAMSA params{};
  params.dwSize = sizeof params;
  CopyBounded(params.szEntryName, name);
  CopyBounded(params.szUserName, OrEmpty(userName));
  CopyBounded(params.szPassword, OrEmpty(password));
  ras.RasSetEntryDialParams(nullptr, &params, false);

  RASCREDENTIALSA credentials{};
  credentials.dwSize = sizeof credentials;
  credentials.dwMask = kRascmUserName | kRascmPassword | kRascmDomain;
  CopyBounded(credentials.szUserName, OrEmpty(userName));
  CopyBounded(credentials.szPassword, OrEmpty(password));
  ras.RasSetCredentials(nullptr, name, &credentials, false);
  return true;
}

std::uint32_t DeleteDialEntry(RasOperations& ras, const char* entryName) {
  char name[kRasMaxEntryName + 1];
  CopyBounded(name, OrEmpty(entryName));
  return ras.RasDeleteEntry(nullptr, name);
}

}  // namespace marvella
