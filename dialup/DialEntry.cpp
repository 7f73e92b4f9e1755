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

bool CreateDialEntry(RasOperations& ras, const DialEntrySettings& settings) {
  // One cut name for every call, so the properties, dial parameters and credentials all
  // land on the same entry.
  char name[kRasMaxEntryName + 1];
  CopyBounded(name, OrEmpty(settings.entryName));

  ras.RasValidateEntryName(nullptr, name);  // an existing entry is simply overwritten

  RASENTRYA entry{};
  entry.dwSize = sizeof entry;
  entry.dwfOptions =
      kRaseoSpecificNameServers | kRaseoIpHeaderCompression | kRaseoRemoteDefaultGateway;
  entry.dwCountryID = kCountry;
  entry.dwCountryCode = kCountry;
  CopyBounded(entry.szAreaCode, " ");
  CopyBounded(entry.szLocalPhoneNumber, OrEmpty(settings.phoneNumber));
  ParseDottedAddress(OrEmpty(settings.primaryDns), entry.ipaddrDns);
  ParseDottedAddress(OrEmpty(settings.secondaryDns), entry.ipaddrDnsAlt);
  entry.dwfNetProtocols = kRasnpIp;
  entry.dwFramingProtocol = kRasfpPpp;
  CopyBounded(entry.szDeviceType, OrEmpty(settings.deviceType));
  CopyBounded(entry.szDeviceName, OrEmpty(settings.deviceName));
  if (ras.RasSetEntryProperties(nullptr, name, &entry, sizeof entry, nullptr, 0) != 0) return false;

  RASDIALPARAMSA params{};
  params.dwSize = sizeof params;
  CopyBounded(params.szEntryName, name);
  CopyBounded(params.szUserName, OrEmpty(settings.userName));
  CopyBounded(params.szPassword, OrEmpty(settings.password));
  ras.RasSetEntryDialParams(nullptr, &params, false);

  RASCREDENTIALSA credentials{};
  credentials.dwSize = sizeof credentials;
  credentials.dwMask = kRascmUserName | kRascmPassword | kRascmDomain;
  CopyBounded(credentials.szUserName, OrEmpty(settings.userName));
  CopyBounded(credentials.szPassword, OrEmpty(settings.password));
  ras.RasSetCredentials(nullptr, name, &credentials, false);
  return true;
}

std::uint32_t DeleteDialEntry(RasOperations& ras, const char* entryName) {
  char name[kRasMaxEntryName + 1];
  CopyBounded(name, OrEmpty(entryName));
  return ras.RasDeleteEntry(nullptr, name);
}

}  // namespace marvella
