// Remote-access records in the Windows 95 / NT 4 layout, the one every system the kit runs
// on accepts. Current SDK headers describe newer, larger records; the system recognises a
// record's version by its dwSize, so these sizes are part of the contract.
#pragma once

#include <cstdint>

namespace marvella {

// HRASCONN. The kit is 32-bit only: a connection handle travels as a 32-bit value.
using RasConnHandle = std::uint32_t;

// Text capacities of the records, without the terminating zero.
constexpr std::uint32_t kRasMaxEntryName = 256;
constexpr std::uint32_t kRasMaxPhoneNumber = 128;
constexpr std::uint32_t kRasMaxCallbackNumber = 128;
constexpr std::uint32_t kRasMaxDeviceType = 16;
constexpr std::uint32_t kRasMaxDeviceName = 128;
constexpr std::uint32_t kRasMaxAreaCode = 10;
constexpr std::uint32_t kRasMaxPadType = 32;
constexpr std::uint32_t kRasMaxX25Address = 200;
constexpr std::uint32_t kRasMaxFacilities = 200;
constexpr std::uint32_t kRasMaxUserData = 200;
constexpr std::uint32_t kRasMaxUserName = 256;  // UNLEN
constexpr std::uint32_t kRasMaxPassword = 256;  // PWLEN
constexpr std::uint32_t kRasMaxDomain = 15;     // DNLEN
constexpr std::uint32_t kRasMaxPath = 260;      // MAX_PATH

struct RASIPADDR {
  std::uint8_t a, b, c, d;
};

struct RASDEVINFOA {
  std::uint32_t dwSize;
  char szDeviceType[kRasMaxDeviceType + 1];
  char szDeviceName[kRasMaxDeviceName + 1];
};

struct RASENTRYA {
  std::uint32_t dwSize;
  std::uint32_t dwfOptions;
  std::uint32_t dwCountryID;
  std::uint32_t dwCountryCode;
  char szAreaCode[kRasMaxAreaCode + 1];
  char szLocalPhoneNumber[kRasMaxPhoneNumber + 1];
  std::uint32_t dwAlternateOffset;
  RASIPADDR ipaddr;
  RASIPADDR ipaddrDns;
  RASIPADDR ipaddrDnsAlt;
  RASIPADDR ipaddrWins;
  RASIPADDR ipaddrWinsAlt;
  std::uint32_t dwFrameSize;
  std::uint32_t dwfNetProtocols;
  std::uint32_t dwFramingProtocol;
  char szScript[kRasMaxPath];
  char szAutodialDll[kRasMaxPath];
  char szAutodialFunc[kRasMaxPath];
  char szDeviceType[kRasMaxDeviceType + 1];
  char szDeviceName[kRasMaxDeviceName + 1];
  char szX25PadType[kRasMaxPadType + 1];
  char szX25Address[kRasMaxX25Address + 1];
  char szX25Facilities[kRasMaxFacilities + 1];
  char szX25UserData[kRasMaxUserData + 1];
  std::uint32_t dwChannels;
  std::uint32_t dwReserved1;
  std::uint32_t dwReserved2;
};

struct RASDIALPARAMSA {
  std::uint32_t dwSize;
  char szEntryName[kRasMaxEntryName + 1];
  char szPhoneNumber[kRasMaxPhoneNumber + 1];
  char szCallbackNumber[kRasMaxCallbackNumber + 1];
  char szUserName[kRasMaxUserName + 1];
  char szPassword[kRasMaxPassword + 1];
  char szDomain[kRasMaxDomain + 1];
};

struct RASCREDENTIALSA {
  std::uint32_t dwSize;
  std::uint32_t dwMask;
  char szUserName[kRasMaxUserName + 1];
  char szPassword[kRasMaxPassword + 1];
  char szDomain[kRasMaxDomain + 1];
};

struct RASCONNSTATUSA {
  std::uint32_t dwSize;
  std::uint32_t rasconnstate;
  std::uint32_t dwError;
  char szDeviceType[kRasMaxDeviceType + 1];
  char szDeviceName[kRasMaxDeviceName + 1];
};

struct RASCONNA {
  std::uint32_t dwSize;
  RasConnHandle hrasconn;
  char szEntryName[kRasMaxEntryName + 1];
  char szDeviceType[kRasMaxDeviceType + 1];
  char szDeviceName[kRasMaxDeviceName + 1];
};

static_assert(sizeof(RASIPADDR) == 4, "RASIPADDR");
static_assert(sizeof(RASDEVINFOA) == 152, "RASDEVINFOA, 4.0 layout");
static_assert(sizeof(RASENTRYA) == 1768, "RASENTRYA, 4.0 layout");
static_assert(sizeof(RASDIALPARAMSA) == 1052, "RASDIALPARAMSA, 4.0 layout");
static_assert(sizeof(RASCREDENTIALSA) == 540, "RASCREDENTIALSA");
static_assert(sizeof(RASCONNSTATUSA) == 160, "RASCONNSTATUSA, 4.0 layout");
static_assert(sizeof(RASCONNA) == 412, "RASCONNA, 4.0 layout");

// Connection states (RASCONNSTATE) the kit looks at.
constexpr std::uint32_t kRasConnected = 0x2000;
constexpr std::uint32_t kRasDisconnected = 0x2001;

// RASENTRY options, protocols and framing.
constexpr std::uint32_t kRaseoSpecificNameServers = 0x4;
constexpr std::uint32_t kRaseoIpHeaderCompression = 0x8;
constexpr std::uint32_t kRaseoRemoteDefaultGateway = 0x10;
constexpr std::uint32_t kRasnpIp = 0x4;
constexpr std::uint32_t kRasfpPpp = 0x1;

// RASCREDENTIALS mask bits.
constexpr std::uint32_t kRascmUserName = 0x1;
constexpr std::uint32_t kRascmPassword = 0x2;
constexpr std::uint32_t kRascmDomain = 0x4;

// Results the kit tells apart.
constexpr std::uint32_t kErrorInvalidName = 123;
constexpr std::uint32_t kErrorAlreadyExists = 183;
constexpr std::uint32_t kRasErrorBufferTooSmall = 603;

}  // namespace marvella
