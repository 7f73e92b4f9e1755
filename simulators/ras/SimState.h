// The simulated remote-access service's whole state: devices, phonebook, live connections,
// scenario settings and the journal of calls. It lives in a text file (README.md there
// describes the format) so tests and the demo can prepare it and read it back, and so
// several processes (installer, dialler, monitor) share one service.
#pragma once

#include <windows.h>
#include <ras.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace marvella::rassim {

// The 4.0 record sizes, the only versions this service accepts.
constexpr DWORD kEntrySize = 1768;
constexpr DWORD kDialParamsSize = 1052;
constexpr DWORD kCredentialsSize = 540;
constexpr DWORD kConnStatusSize = 160;
constexpr DWORD kConnSize = 412;
constexpr DWORD kDevInfoSize = 152;

struct SimDevice {
  std::string type;
  std::string name;
};

struct SimEntry {
  std::string name;
  RASENTRYA record{};      // the first kEntrySize bytes are the entry; the rest stays zero
  std::string deviceInfo;  // device-specific block, raw bytes
  bool hasDialParams = false;
  std::string dialUser, dialDomain, dialCallback;
  bool hasPassword = false;
  std::string dialPassword;
  DWORD credentialsMask = 0;
  std::string credentialsUser, credentialsPassword, credentialsDomain;
};

struct SimConnection {
  DWORD handle = 0;
  std::string entry, deviceType, deviceName, phoneNumber, userName;
  DWORD state = RASCS_Connected;
  DWORD error = 0;
  std::vector<DWORD> pending;  // states the next status queries report, one each
};

struct SimService {
  DWORD nextHandle = 1;
  std::vector<std::string> missingExports;
  std::string dialOutcome = "connected";
  std::vector<DWORD> dialPending;
  bool checkCredentials = false;
  std::string acceptUser, acceptPassword;
  DWORD dialDelayMs = 0;
};

struct SimState {
  SimService service;
  std::vector<SimDevice> devices;
  std::vector<SimEntry> entries;
  std::vector<SimConnection> connections;
  std::vector<std::string> journal;  // one record per line, see JournalRecord

  SimEntry* FindEntry(const char* name);
  SimConnection* FindConnection(DWORD handle);
};

// A state read from text. Empty text is the fresh service: one modem, dials connect.
// Unknown keys and sections are ignored.
SimState ParseState(const std::string& text);
std::string FormatState(const SimState& state);

// Connection states by their RASCS_ names without the prefix ("Connected"), or numbers.
bool ParseConnState(const std::string& word, DWORD& state);
std::string ConnStateName(DWORD state);

// One journal line: the function (or program) and its items, "RasDialA entry=Marvella
// result=0". Values are escaped so that they hold no blank, "=" or line break.
struct JournalRecord {
  std::string function;
  std::vector<std::pair<std::string, std::string>> items;

  JournalRecord& Add(const std::string& key, const std::string& value);
  JournalRecord& Add(const std::string& key, DWORD value);
  std::string Get(const std::string& key) const;  // "" when absent
  bool Has(const std::string& key) const;
  std::string Format() const;
  static JournalRecord Parse(const std::string& line);
};

std::string Hex(const void* bytes, std::size_t size);
std::string Unhex(const std::string& hex);

}  // namespace marvella::rassim
