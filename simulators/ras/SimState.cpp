// Reading and writing the service's state file: sections of "key = value" lines, record
// fields under their SDK names, texts escaped only where a byte would be lost.
#include "simulators/ras/SimState.h"

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace marvella::rassim {

namespace {

enum class Kind { kDec, kHex, kText, kIp };

struct Field {
  const char* name;
  Kind kind;
  std::size_t offset;
  std::size_t size;  // of text fields, terminator included
};

using Entry = RASENTRYA;  // (a macro in the SDK header)
#define FIELD(kind, member) \
  { #member, kind, offsetof(Entry, member), sizeof(Entry::member) }

// RASENTRYA in its 4.0 extent, in record order.
const Field kEntryFields[] = {
    FIELD(Kind::kHex, dwfOptions),
    FIELD(Kind::kDec, dwCountryID),
    FIELD(Kind::kDec, dwCountryCode),
    FIELD(Kind::kText, szAreaCode),
    FIELD(Kind::kText, szLocalPhoneNumber),
    FIELD(Kind::kDec, dwAlternateOffset),
    FIELD(Kind::kIp, ipaddr),
    FIELD(Kind::kIp, ipaddrDns),
    FIELD(Kind::kIp, ipaddrDnsAlt),
    FIELD(Kind::kIp, ipaddrWins),
    FIELD(Kind::kIp, ipaddrWinsAlt),
    FIELD(Kind::kDec, dwFrameSize),
    FIELD(Kind::kHex, dwfNetProtocols),
    FIELD(Kind::kDec, dwFramingProtocol),
    FIELD(Kind::kText, szScript),
    FIELD(Kind::kText, szAutodialDll),
    FIELD(Kind::kText, szAutodialFunc),
    FIELD(Kind::kText, szDeviceType),
    FIELD(Kind::kText, szDeviceName),
    FIELD(Kind::kText, szX25PadType),
    FIELD(Kind::kText, szX25Address),
    FIELD(Kind::kText, szX25Facilities),
    FIELD(Kind::kText, szX25UserData),
    FIELD(Kind::kDec, dwChannels),
    FIELD(Kind::kDec, dwReserved1),
    FIELD(Kind::kDec, dwReserved2),
};
#undef FIELD

// The SDK describes a later, longer record; the 4.0 one is its first 1768 bytes.
static_assert(offsetof(RASENTRYA, dwReserved2) + 4 == kEntrySize, "4.0 extent of RASENTRYA");

struct StateName {
  const char* name;
  DWORD value;
};
const StateName kStates[] = {
    {"OpenPort", RASCS_OpenPort},
    {"PortOpened", RASCS_PortOpened},
    {"ConnectDevice", RASCS_ConnectDevice},
    {"DeviceConnected", RASCS_DeviceConnected},
    {"AllDevicesConnected", RASCS_AllDevicesConnected},
    {"Authenticate", RASCS_Authenticate},
    {"AuthNotify", RASCS_AuthNotify},
    {"AuthRetry", RASCS_AuthRetry},
    {"AuthCallback", RASCS_AuthCallback},
    {"AuthChangePassword", RASCS_AuthChangePassword},
    {"AuthProject", RASCS_AuthProject},
    {"AuthLinkSpeed", RASCS_AuthLinkSpeed},
    {"AuthAck", RASCS_AuthAck},
    {"ReAuthenticate", RASCS_ReAuthenticate},
    {"Authenticated", RASCS_Authenticated},
    {"PrepareForCallback", RASCS_PrepareForCallback},
    {"WaitForModemReset", RASCS_WaitForModemReset},
    {"WaitForCallback", RASCS_WaitForCallback},
    {"Projected", RASCS_Projected},
    {"StartAuthentication", RASCS_StartAuthentication},
    {"CallbackComplete", RASCS_CallbackComplete},
    {"LogonNetwork", RASCS_LogonNetwork},
    {"SubEntryConnected", RASCS_SubEntryConnected},
    {"SubEntryDisconnected", RASCS_SubEntryDisconnected},
    {"Interactive", RASCS_Interactive},
    {"RetryAuthentication", RASCS_RetryAuthentication},
    {"CallbackSetByCaller", RASCS_CallbackSetByCaller},
    {"PasswordExpired", RASCS_PasswordExpired},
    {"Connected", RASCS_Connected},
    {"Disconnected", RASCS_Disconnected},
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Trim(const std::string& s) {
  std::size_t b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void AppendEscaped(std::string& out, unsigned char c) {
  char buf[4];
  std::snprintf(buf, sizeof buf, "%%%02X", c);
  out += buf;
}

// Values of the state file: blanks at either end and bytes a line cannot hold are escaped.
std::string EscapeValue(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    bool edge = (i == 0 || i + 1 == s.size()) && IsBlank(char(c));
    if (c < 0x20 || c == 0x7F || c == '%' || edge)
      AppendEscaped(out, c);
    else
      out += char(c);
  }
  return out;
}

// Journal values also escape blanks and "=", which separate the items.
std::string EscapeItem(const std::string& s) {
  std::string out;
  for (unsigned char c : s) {
    if (c <= 0x20 || c == 0x7F || c == '%' || c == '=')
      AppendEscaped(out, c);
    else
      out += char(c);
  }
  return out;
}

std::string Unescape(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '%' && i + 2 < s.size() && HexDigit(s[i + 1]) >= 0 && HexDigit(s[i + 2]) >= 0) {
      out += char(HexDigit(s[i + 1]) * 16 + HexDigit(s[i + 2]));
      i += 2;
    } else {
      out += s[i];
    }
  }
  return out;
}

DWORD ParseNumber(const std::string& s) {
  return static_cast<DWORD>(std::strtoul(s.c_str(), nullptr, 0));
}

std::string Dec(DWORD v) { return std::to_string(v); }

std::string HexNumber(DWORD v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%08lx", static_cast<unsigned long>(v));
  return buf;
}

// Words separated by blanks (and by commas, in lists of the scenario settings).
std::vector<std::string> Words(const std::string& s, bool commas = true) {
  std::vector<std::string> words;
  auto separates = [commas](char c) { return IsBlank(c) || (commas && c == ','); };
  std::size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && separates(s[i])) ++i;
    std::size_t b = i;
    while (i < s.size() && !separates(s[i])) ++i;
    if (i > b) words.push_back(s.substr(b, i - b));
  }
  return words;
}

std::string JoinStates(const std::vector<DWORD>& states) {
  std::string out;
  for (DWORD s : states) {
    if (!out.empty()) out += ' ';
    out += ConnStateName(s);
  }
  return out;
}

std::vector<DWORD> ParseStates(const std::string& s) {
  std::vector<DWORD> states;
  for (const std::string& w : Words(s)) {
    DWORD v;
    if (ParseConnState(w, v)) states.push_back(v);
  }
  return states;
}

std::string TextField(const char* field, std::size_t size) {
  std::size_t n = 0;
  while (n + 1 < size && field[n]) ++n;
  return std::string(field, n);
}

void SetTextField(char* field, std::size_t size, const std::string& value) {
  std::size_t n = value.size() < size - 1 ? value.size() : size - 1;
  std::memset(field, 0, size);
  std::memcpy(field, value.data(), n);
}

std::string FormatField(const RASENTRYA& r, const Field& f) {
  const char* base = reinterpret_cast<const char*>(&r) + f.offset;
  DWORD v;
  switch (f.kind) {
    case Kind::kDec:
      std::memcpy(&v, base, 4);
      return Dec(v);
    case Kind::kHex:
      std::memcpy(&v, base, 4);
      return HexNumber(v);
    case Kind::kText:
      return EscapeValue(TextField(base, f.size));
    case Kind::kIp: {
      const unsigned char* b = reinterpret_cast<const unsigned char*>(base);
      return Dec(b[0]) + "." + Dec(b[1]) + "." + Dec(b[2]) + "." + Dec(b[3]);
    }
  }
  return "";
}

void ParseField(RASENTRYA& r, const Field& f, const std::string& value) {
  char* base = reinterpret_cast<char*>(&r) + f.offset;
  switch (f.kind) {
    case Kind::kDec:
    case Kind::kHex: {
      DWORD v = ParseNumber(value);
      std::memcpy(base, &v, 4);
      break;
    }
    case Kind::kText:
      SetTextField(base, f.size, Unescape(value));
      break;
    case Kind::kIp: {
      unsigned char* b = reinterpret_cast<unsigned char*>(base);
      std::memset(b, 0, 4);
      const char* p = value.c_str();
      for (int i = 0; i < 4 && *p; ++i) {
        b[i] = static_cast<unsigned char>(std::strtoul(p, const_cast<char**>(&p), 10));
        if (*p == '.') ++p;
      }
      break;
    }
  }
}

bool ParseEntryKey(SimEntry& e, const std::string& key, const std::string& value) {
  if (key == "name") {
    e.name = Unescape(value);
    return true;
  }
  if (key == "device-info") {
    e.deviceInfo = Unhex(value);
    return true;
  }
  if (key.rfind("dial.", 0) == 0) {
    e.hasDialParams = true;
    std::string v = Unescape(value);
    if (key == "dial.szUserName")
      e.dialUser = v;
    else if (key == "dial.szDomain")
      e.dialDomain = v;
    else if (key == "dial.szCallbackNumber")
      e.dialCallback = v;
    else if (key == "dial.szPassword") {
      e.hasPassword = true;
      e.dialPassword = v;
    }
    return true;
  }
  if (key == "credentials.dwMask") {
    e.credentialsMask = ParseNumber(value);
    return true;
  }
  if (key == "credentials.szUserName") {
    e.credentialsUser = Unescape(value);
    return true;
  }
  if (key == "credentials.szPassword") {
    e.credentialsPassword = Unescape(value);
    return true;
  }
  if (key == "credentials.szDomain") {
    e.credentialsDomain = Unescape(value);
    return true;
  }
  for (const Field& f : kEntryFields) {
    if (key == f.name) {
      ParseField(e.record, f, value);
      return true;
    }
  }
  return false;
}

void ParseConnectionKey(SimConnection& c, const std::string& key, const std::string& value) {
  if (key == "handle")
    c.handle = ParseNumber(value);
  else if (key == "entry")
    c.entry = Unescape(value);
  else if (key == "device-type")
    c.deviceType = Unescape(value);
  else if (key == "device-name")
    c.deviceName = Unescape(value);
  else if (key == "phone")
    c.phoneNumber = Unescape(value);
  else if (key == "user")
    c.userName = Unescape(value);
  else if (key == "state")
    ParseConnState(value, c.state);
  else if (key == "error")
    c.error = ParseNumber(value);
  else if (key == "pending")
    c.pending = ParseStates(value);
}

void ParseServiceKey(SimService& s, const std::string& key, const std::string& value) {
  if (key == "next-handle")
    s.nextHandle = ParseNumber(value);
  else if (key == "missing-exports")
    s.missingExports = Words(value);
  else if (key == "dial-outcome")
    s.dialOutcome = value;
  else if (key == "dial-pending")
    s.dialPending = ParseStates(value);
  else if (key == "dial-accept-user") {
    s.checkCredentials = true;
    s.acceptUser = Unescape(value);
  } else if (key == "dial-accept-password") {
    s.checkCredentials = true;
    s.acceptPassword = Unescape(value);
  } else if (key == "dial-delay-ms")
    s.dialDelayMs = ParseNumber(value);
}

void Line(std::string& out, const char* key, const std::string& value) {
  out += key;
  out += " = ";
  out += value;
  out += "\r\n";
}

}  // namespace

SimEntry* SimState::FindEntry(const char* name) {
  for (SimEntry& e : entries)
    if (lstrcmpiA(e.name.c_str(), name) == 0) return &e;
  return nullptr;
}

SimConnection* SimState::FindConnection(DWORD handle) {
  for (SimConnection& c : connections)
    if (c.handle == handle) return &c;
  return nullptr;
}

bool ParseConnState(const std::string& word, DWORD& state) {
  std::string w = Trim(word);
  if (w.rfind("RASCS_", 0) == 0) w = w.substr(6);
  for (const StateName& s : kStates) {
    if (lstrcmpiA(w.c_str(), s.name) == 0) {
      state = s.value;
      return true;
    }
  }
  if (!w.empty() && w[0] >= '0' && w[0] <= '9') {
    state = ParseNumber(w);
    return true;
  }
  return false;
}

std::string ConnStateName(DWORD state) {
  for (const StateName& s : kStates)
    if (s.value == state) return s.name;
  return HexNumber(state);
}

SimState ParseState(const std::string& text) {
  SimState state;
  if (Trim(text).empty()) {
    state.devices.push_back({"modem", "Módem estándar"});
    return state;
  }
  enum class Section {
    kNone,
    kService,
    kDevice,
    kEntry,
    kConnection,
    kJournal
  } section = Section::kNone;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::string t = Trim(line);
    if (t.empty() || t[0] == '#' || t[0] == ';') continue;
    if (t[0] == '[') {
      std::string name =
          t.substr(1, t.find(']') == std::string::npos ? t.size() - 1 : t.find(']') - 1);
      section = Section::kNone;
      if (name == "service")
        section = Section::kService;
      else if (name == "device") {
        section = Section::kDevice;
        state.devices.emplace_back();
      } else if (name == "entry") {
        section = Section::kEntry;
        state.entries.emplace_back();
        state.entries.back().record.dwSize = kEntrySize;
      } else if (name == "connection") {
        section = Section::kConnection;
        state.connections.emplace_back();
      } else if (name == "journal")
        section = Section::kJournal;
      continue;
    }
    std::size_t eq = t.find('=');
    if (eq == std::string::npos) continue;
    std::string key = Trim(t.substr(0, eq));
    std::string value = Trim(t.substr(eq + 1));
    switch (section) {
      case Section::kService:
        ParseServiceKey(state.service, key, value);
        break;
      case Section::kDevice:
        if (key == "type" || key == "szDeviceType") state.devices.back().type = Unescape(value);
        if (key == "name" || key == "szDeviceName") state.devices.back().name = Unescape(value);
        break;
      case Section::kEntry:
        ParseEntryKey(state.entries.back(), key, value);
        break;
      case Section::kConnection:
        ParseConnectionKey(state.connections.back(), key, value);
        break;
      case Section::kJournal:
        if (key == "call") state.journal.push_back(value);
        break;
      case Section::kNone:
        break;
    }
  }
  return state;
}

std::string FormatState(const SimState& state) {
  std::string out =
      "# Simulated remote-access service (code page 1252). See simulators/ras/README.md.\r\n";
  const SimService& s = state.service;
  out += "[service]\r\n";
  Line(out, "next-handle", Dec(s.nextHandle));
  std::string missing;
  for (const std::string& m : s.missingExports) missing += (missing.empty() ? "" : " ") + m;
  if (!missing.empty()) Line(out, "missing-exports", missing);
  Line(out, "dial-outcome", s.dialOutcome);
  if (!s.dialPending.empty()) Line(out, "dial-pending", JoinStates(s.dialPending));
  if (s.checkCredentials) {
    Line(out, "dial-accept-user", EscapeValue(s.acceptUser));
    Line(out, "dial-accept-password", EscapeValue(s.acceptPassword));
  }
  if (s.dialDelayMs) Line(out, "dial-delay-ms", Dec(s.dialDelayMs));

  for (const SimDevice& d : state.devices) {
    out += "\r\n[device]\r\n";
    Line(out, "type", EscapeValue(d.type));
    Line(out, "name", EscapeValue(d.name));
  }
  for (const SimEntry& e : state.entries) {
    out += "\r\n[entry]\r\n";
    Line(out, "name", EscapeValue(e.name));
    for (const Field& f : kEntryFields) Line(out, f.name, FormatField(e.record, f));
    if (!e.deviceInfo.empty())
      Line(out, "device-info", Hex(e.deviceInfo.data(), e.deviceInfo.size()));
    if (e.hasDialParams) {
      Line(out, "dial.szUserName", EscapeValue(e.dialUser));
      if (e.hasPassword) Line(out, "dial.szPassword", EscapeValue(e.dialPassword));
      Line(out, "dial.szDomain", EscapeValue(e.dialDomain));
      Line(out, "dial.szCallbackNumber", EscapeValue(e.dialCallback));
    }
    if (e.credentialsMask) {
      Line(out, "credentials.dwMask", HexNumber(e.credentialsMask));
      Line(out, "credentials.szUserName", EscapeValue(e.credentialsUser));
      Line(out, "credentials.szPassword", EscapeValue(e.credentialsPassword));
      Line(out, "credentials.szDomain", EscapeValue(e.credentialsDomain));
    }
  }
  for (const SimConnection& c : state.connections) {
    out += "\r\n[connection]\r\n";
    Line(out, "handle", Dec(c.handle));
    Line(out, "entry", EscapeValue(c.entry));
    Line(out, "device-type", EscapeValue(c.deviceType));
    Line(out, "device-name", EscapeValue(c.deviceName));
    Line(out, "phone", EscapeValue(c.phoneNumber));
    Line(out, "user", EscapeValue(c.userName));
    Line(out, "state", ConnStateName(c.state));
    Line(out, "error", Dec(c.error));
    if (!c.pending.empty()) Line(out, "pending", JoinStates(c.pending));
  }
  out += "\r\n[journal]\r\n";
  for (const std::string& j : state.journal) Line(out, "call", j);
  return out;
}

JournalRecord& JournalRecord::Add(const std::string& key, const std::string& value) {
  items.emplace_back(key, value);
  return *this;
}

JournalRecord& JournalRecord::Add(const std::string& key, DWORD value) {
  return Add(key, Dec(value));
}

std::string JournalRecord::Get(const std::string& key) const {
  for (const auto& kv : items)
    if (kv.first == key) return kv.second;
  return "";
}

bool JournalRecord::Has(const std::string& key) const {
  for (const auto& kv : items)
    if (kv.first == key) return true;
  return false;
}

std::string JournalRecord::Format() const {
  std::string out = function;
  for (const auto& kv : items) out += " " + kv.first + "=" + EscapeItem(kv.second);
  return out;
}

JournalRecord JournalRecord::Parse(const std::string& line) {
  JournalRecord r;
  std::vector<std::string> words = Words(line, false);
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (i == 0) {
      r.function = words[0];
      continue;
    }
    std::size_t eq = words[i].find('=');
    if (eq == std::string::npos)
      r.items.emplace_back(Unescape(words[i]), "");
    else
      r.items.emplace_back(words[i].substr(0, eq), Unescape(words[i].substr(eq + 1)));
  }
  return r;
}

std::string Hex(const void* bytes, std::size_t size) {
  static const char digits[] = "0123456789abcdef";
  const unsigned char* b = static_cast<const unsigned char*>(bytes);
  std::string out;
  out.reserve(size * 2);
  for (std::size_t i = 0; i < size; ++i) {
    out += digits[b[i] >> 4];
    out += digits[b[i] & 15];
  }
  return out;
}

std::string Unhex(const std::string& hex) {
  std::string out;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    int hi = HexDigit(hex[i]), lo = HexDigit(hex[i + 1]);
    if (hi < 0 || lo < 0) break;
    out += char(hi * 16 + lo);
  }
  return out;
}

}  // namespace marvella::rassim
