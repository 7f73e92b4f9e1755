// rasapi32.dll of the simulated remote-access service: the ANSI entry points the kit and the
// system's diallers use, with the checks and results of a Windows 95/NT 4 era service
// (records of the 4.0 sizes only, default phonebook only). Every call works on the shared
// state file and leaves one line in its journal.
#include <windows.h>
#include <ras.h>
#include <raserror.h>

#include <cstring>
#include <functional>
#include <string>

#include "simulators/common/HiddenExports.h"
#include "simulators/ras/SimState.h"
#include "simulators/ras/StateFile.h"

using namespace marvella::rassim;

namespace {

struct ErrorText {
  DWORD code;
  const char* text;
};

// What a Spanish system says for the codes this service produces (code page 1252).
const ErrorText kErrorTexts[] = {
    {ERROR_BUFFER_TOO_SMALL, "El búfer del que llama es demasiado pequeño."},
    {ERROR_DEVICE_DOES_NOT_EXIST, "El dispositivo especificado no existe."},
    {ERROR_BUFFER_INVALID, "La dirección o el tamaño del búfer no son válidos."},
    {ERROR_CANNOT_OPEN_PHONEBOOK, "El sistema no pudo abrir la libreta de teléfonos."},
    {ERROR_CANNOT_FIND_PHONEBOOK_ENTRY,
     "El sistema no pudo encontrar la entrada de la libreta de teléfonos para esta conexión."},
    {ERROR_INVALID_SIZE, "El tamaño de la estructura no es correcto."},
    {ERROR_PORT_NOT_AVAILABLE,
     "El puerto ya está en uso o no está configurado para llamadas salientes de acceso remoto."},
    {ERROR_NO_CONNECTION, "Se ha cerrado la conexión."},
    {ERROR_LINE_BUSY, "La línea telefónica está ocupada."},
    {ERROR_NO_ANSWER, "No hay respuesta."},
    {ERROR_NO_CARRIER, "No se detectó ningún portador."},
    {ERROR_NO_DIALTONE, "No hay tono de marcado."},
    {ERROR_AUTHENTICATION_FAILURE,
     "Acceso denegado porque el nombre de usuario o la contraseña no son válidos en el dominio."},
};

const char* ErrorTextFor(DWORD code) {
  for (const ErrorText& e : kErrorTexts)
    if (e.code == code) return e.text;
  return nullptr;
}

// A text field of a caller's record, which may lack its terminator.
std::string Field(const char* field, std::size_t size) {
  std::size_t n = 0;
  while (n + 1 < size && field[n]) ++n;
  return std::string(field, n);
}

void SetField(char* field, std::size_t size, const std::string& value) {
  std::size_t n = value.size() < size - 1 ? value.size() : size - 1;
  std::memset(field, 0, size);
  std::memcpy(field, value.data(), n);
}

std::string Arg(const char* text) { return text ? std::string(text) : std::string(); }

bool ValidEntryName(const char* name) {
  if (!name || !*name || name[0] == '.') return false;
  std::size_t n = std::strlen(name);
  if (n > RAS_MaxEntryName) return false;
  for (const char* p = name; *p; ++p) {
    unsigned char c = static_cast<unsigned char>(*p);
    if (c < 0x20 || std::strchr("\\/:*?\"<>|", c)) return false;
  }
  return true;
}

const SimDevice* FindDevice(const SimState& s, const std::string& type, const std::string& name) {
  for (const SimDevice& d : s.devices)
    if (lstrcmpiA(d.name.c_str(), name.c_str()) == 0 &&
        (type.empty() || lstrcmpiA(d.type.c_str(), type.c_str()) == 0))
      return &d;
  return nullptr;
}

// Runs one call on the locked state and journals it with its result.
DWORD Serve(const char* function, const std::function<DWORD(SimState&, JournalRecord&)>& op) {
  DWORD result = ERROR_CANNOT_OPEN_PHONEBOOK;
  UpdateState([&](SimState& state) {
    JournalRecord record;
    record.function = function;
    result = op(state, record);
    record.Add("result", result);
    state.journal.push_back(record.Format());
  });
  return result;
}

DWORD DialOutcome(const std::string& outcome) {
  if (outcome == "connected" || outcome == "stalled" || outcome.empty()) return 0;
  if (outcome == "busy") return ERROR_LINE_BUSY;
  if (outcome == "no-answer") return ERROR_NO_ANSWER;
  if (outcome == "no-carrier") return ERROR_NO_CARRIER;
  if (outcome == "no-dialtone") return ERROR_NO_DIALTONE;
  if (outcome == "bad-credentials") return ERROR_AUTHENTICATION_FAILURE;
  return static_cast<DWORD>(std::strtoul(outcome.c_str(), nullptr, 0));
}

// Hides the exports a scenario declares missing, so GetProcAddress no longer finds them.
void HideExports(HMODULE module) {
  SimState state;
  if (!ReadState(state)) return;
  for (const std::string& missing : state.service.missingExports)
    marvella::simulators::HideExport(module, missing.c_str());
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    DisableThreadLibraryCalls(module);
    HideExports(module);
  }
  return TRUE;
}

DWORD WINAPI RasEnumDevicesA(LPRASDEVINFOA devices, LPDWORD size, LPDWORD count) {
  return Serve("RasEnumDevicesA", [&](SimState& s, JournalRecord& j) -> DWORD {
    j.Add("buffer", devices ? "yes" : "no");
    if (!size || !count) return ERROR_INVALID_PARAMETER;
    j.Add("size", *size);
    if (devices && devices->dwSize != kDevInfoSize) return ERROR_INVALID_SIZE;
    DWORD needed = DWORD(s.devices.size()) * kDevInfoSize;
    *count = DWORD(s.devices.size());
    if (*size < needed) {
      *size = needed;
      return ERROR_BUFFER_TOO_SMALL;
    }
    if (!devices && needed) return ERROR_BUFFER_INVALID;
    auto* out = reinterpret_cast<unsigned char*>(devices);
    for (std::size_t i = 0; i < s.devices.size(); ++i) {
      RASDEVINFOA d{};
      d.dwSize = kDevInfoSize;
      SetField(d.szDeviceType, sizeof d.szDeviceType, s.devices[i].type);
      SetField(d.szDeviceName, sizeof d.szDeviceName, s.devices[i].name);
      std::memcpy(out + i * kDevInfoSize, &d, kDevInfoSize);
    }
    *size = needed;
    j.Add("count", *count);
    return 0;
  });
}

DWORD WINAPI RasValidateEntryNameA(LPCSTR phonebook, LPCSTR entry) {
  return Serve("RasValidateEntryNameA", [&](SimState& s, JournalRecord& j) -> DWORD {
    j.Add("entry", Arg(entry));
    if (phonebook) return ERROR_CANNOT_OPEN_PHONEBOOK;
    if (!ValidEntryName(entry)) return ERROR_INVALID_NAME;
    return s.FindEntry(entry) ? ERROR_ALREADY_EXISTS : 0;
  });
}

DWORD WINAPI RasSetEntryPropertiesA(LPCSTR phonebook, LPCSTR entry, LPRASENTRYA record,
                                    DWORD recordSize, LPBYTE deviceInfo, DWORD deviceInfoSize) {
  return Serve("RasSetEntryPropertiesA", [&](SimState& s, JournalRecord& j) -> DWORD {
    j.Add("entry", Arg(entry)).Add("size", recordSize).Add("device-info-size", deviceInfoSize);
    if (phonebook) return ERROR_CANNOT_OPEN_PHONEBOOK;
    if (!record) return ERROR_BUFFER_INVALID;
    j.Add("dwSize", record->dwSize);
    if (record->dwSize != kEntrySize) return ERROR_INVALID_SIZE;
    if (recordSize < kEntrySize) return ERROR_BUFFER_INVALID;
    j.Add("bytes", Hex(record, kEntrySize));
    if (!ValidEntryName(entry)) return ERROR_INVALID_NAME;
    if (!deviceInfo && deviceInfoSize) return ERROR_BUFFER_INVALID;
    std::string type = Field(record->szDeviceType, sizeof record->szDeviceType);
    std::string name = Field(record->szDeviceName, sizeof record->szDeviceName);
    if (!name.empty() && !FindDevice(s, type, name)) return ERROR_DEVICE_DOES_NOT_EXIST;
    SimEntry* e = s.FindEntry(entry);
    if (!e) {
      s.entries.emplace_back();
      e = &s.entries.back();
      e->name = entry;
    }
    std::memset(&e->record, 0, sizeof e->record);
    std::memcpy(&e->record, record, kEntrySize);
    e->deviceInfo.assign(reinterpret_cast<const char*>(deviceInfo),
                         deviceInfo ? deviceInfoSize : 0);
    return 0;
  });
}

DWORD WINAPI RasGetEntryPropertiesA(LPCSTR phonebook, LPCSTR entry, LPRASENTRYA record,
                                    LPDWORD recordSize, LPBYTE deviceInfo, LPDWORD deviceInfoSize) {
  return Serve("RasGetEntryPropertiesA", [&](SimState& s, JournalRecord& j) -> DWORD {
    j.Add("entry", Arg(entry));
    if (phonebook) return ERROR_CANNOT_OPEN_PHONEBOOK;
    if (!recordSize) return ERROR_INVALID_PARAMETER;
    if (record && record->dwSize != kEntrySize) return ERROR_INVALID_SIZE;
    SimEntry blank;  // no name: the defaults of a new entry
    blank.record.dwSize = kEntrySize;
    const SimEntry* e = (entry && *entry) ? s.FindEntry(entry) : &blank;
    if (!e) return ERROR_CANNOT_FIND_PHONEBOOK_ENTRY;
    DWORD deviceBytes = DWORD(e->deviceInfo.size());
    if (!record || *recordSize < kEntrySize ||
        (deviceInfoSize && deviceBytes && (!deviceInfo || *deviceInfoSize < deviceBytes))) {
      *recordSize = kEntrySize;
      if (deviceInfoSize) *deviceInfoSize = deviceBytes;
      return ERROR_BUFFER_TOO_SMALL;
    }
    std::memcpy(record, &e->record, kEntrySize);
    record->dwSize = kEntrySize;
    *recordSize = kEntrySize;
    if (deviceInfoSize) {
      if (deviceBytes) std::memcpy(deviceInfo, e->deviceInfo.data(), deviceBytes);
      *deviceInfoSize = deviceBytes;
    }
    return 0;
  });
}

DWORD WINAPI RasSetEntryDialParamsA(LPCSTR phonebook, LPRASDIALPARAMSA params,
                                    BOOL removePassword) {
  return Serve("RasSetEntryDialParamsA", [&](SimState& s, JournalRecord& j) -> DWORD {
    j.Add("remove-password", removePassword ? 1 : 0);
    if (phonebook) return ERROR_CANNOT_OPEN_PHONEBOOK;
    if (!params) return ERROR_BUFFER_INVALID;
    j.Add("dwSize", params->dwSize);
    if (params->dwSize != kDialParamsSize) return ERROR_INVALID_SIZE;
    j.Add("bytes", Hex(params, kDialParamsSize));
    std::string name = Field(params->szEntryName, sizeof params->szEntryName);
    j.Add("entry", name);
    SimEntry* e = s.FindEntry(name.c_str());
    if (!e) return ERROR_CANNOT_FIND_PHONEBOOK_ENTRY;
    // Empty texts leave the stored ones; the password follows the user name.
    std::string callback = Field(params->szCallbackNumber, sizeof params->szCallbackNumber);
    std::string user = Field(params->szUserName, sizeof params->szUserName);
    std::string domain = Field(params->szDomain, sizeof params->szDomain);
    e->hasDialParams = true;
    if (!callback.empty()) e->dialCallback = callback;
    if (!domain.empty()) e->dialDomain = domain;
    if (!user.empty()) {
      e->dialUser = user;
      e->hasPassword = true;
      e->dialPassword = Field(params->szPassword, sizeof params->szPassword);
    }
    if (removePassword) {
      e->hasPassword = false;
      e->dialPassword.clear();
    }
    return 0;
  });
}

DWORD WINAPI RasGetEntryDialParamsA(LPCSTR phonebook, LPRASDIALPARAMSA params,
                                    LPBOOL passwordReturned) {
  return Serve("RasGetEntryDialParamsA", [&](SimState& s, JournalRecord& j) -> DWORD {
    if (phonebook) return ERROR_CANNOT_OPEN_PHONEBOOK;
    if (!params || !passwordReturned) return ERROR_BUFFER_INVALID;
    if (params->dwSize != kDialParamsSize) return ERROR_INVALID_SIZE;
    std::string name = Field(params->szEntryName, sizeof params->szEntryName);
    j.Add("entry", name);
    SimEntry* e = s.FindEntry(name.c_str());
    if (!e) return ERROR_CANNOT_FIND_PHONEBOOK_ENTRY;
    RASDIALPARAMSA out{};
    out.dwSize = kDialParamsSize;
    SetField(out.szEntryName, sizeof out.szEntryName, name);
    SetField(out.szCallbackNumber, sizeof out.szCallbackNumber, e->dialCallback);
    SetField(out.szUserName, sizeof out.szUserName, e->dialUser);
    SetField(out.szPassword, sizeof out.szPassword, e->hasPassword ? e->dialPassword : "");
    SetField(out.szDomain, sizeof out.szDomain, e->dialDomain);
    std::memcpy(params, &out, kDialParamsSize);
    *passwordReturned = e->hasPassword ? TRUE : FALSE;
    return 0;
  });
}

DWORD WINAPI RasSetCredentialsA(LPCSTR phonebook, LPCSTR entry, LPRASCREDENTIALSA credentials,
                                BOOL clear) {
  return Serve("RasSetCredentialsA", [&](SimState& s, JournalRecord& j) -> DWORD {
    j.Add("entry", Arg(entry)).Add("clear", clear ? 1 : 0);
    if (phonebook) return ERROR_CANNOT_OPEN_PHONEBOOK;
    if (!credentials) return ERROR_BUFFER_INVALID;
    j.Add("dwSize", credentials->dwSize);
    if (credentials->dwSize != kCredentialsSize) return ERROR_INVALID_SIZE;
    j.Add("bytes", Hex(credentials, kCredentialsSize));
    SimEntry* e = entry ? s.FindEntry(entry) : nullptr;
    if (!e) return ERROR_CANNOT_FIND_PHONEBOOK_ENTRY;
    DWORD mask = credentials->dwMask & (RASCM_UserName | RASCM_Password | RASCM_Domain);
    auto apply = [&](DWORD bit, std::string& stored, const char* field, std::size_t size) {
      if (!(mask & bit)) return;
      stored = clear ? std::string() : Field(field, size);
      if (clear)
        e->credentialsMask &= ~bit;
      else
        e->credentialsMask |= bit;
    };
    apply(RASCM_UserName, e->credentialsUser, credentials->szUserName,
          sizeof credentials->szUserName);
    apply(RASCM_Password, e->credentialsPassword, credentials->szPassword,
          sizeof credentials->szPassword);
    apply(RASCM_Domain, e->credentialsDomain, credentials->szDomain, sizeof credentials->szDomain);
    return 0;
  });
}

DWORD WINAPI RasDeleteEntryA(LPCSTR phonebook, LPCSTR entry) {
  return Serve("RasDeleteEntryA", [&](SimState& s, JournalRecord& j) -> DWORD {
    j.Add("entry", Arg(entry));
    if (phonebook) return ERROR_CANNOT_OPEN_PHONEBOOK;
    for (auto it = s.entries.begin(); it != s.entries.end(); ++it) {
      if (entry && lstrcmpiA(it->name.c_str(), entry) == 0) {
        s.entries.erase(it);
        return 0;
      }
    }
    return ERROR_CANNOT_FIND_PHONEBOOK_ENTRY;
  });
}

DWORD WINAPI RasDialA(LPRASDIALEXTENSIONS extensions, LPCSTR phonebook, LPRASDIALPARAMSA params,
                      DWORD notifierType, LPVOID notifier, LPHRASCONN connection) {
  // A slow line: the caller blocks as it would while a modem dials.
  SimState before;
  if (ReadState(before) && before.service.dialDelayMs) Sleep(before.service.dialDelayMs);
  return Serve("RasDialA", [&](SimState& s, JournalRecord& j) -> DWORD {
    if (!params || !connection) return ERROR_INVALID_PARAMETER;
    j.Add("dwSize", params->dwSize);
    if (params->dwSize != kDialParamsSize) return ERROR_INVALID_SIZE;
    std::string name = Field(params->szEntryName, sizeof params->szEntryName);
    j.Add("entry", name);
    if (phonebook) return ERROR_CANNOT_OPEN_PHONEBOOK;
    // Only synchronous dialling is simulated.
    if (notifier || notifierType) return ERROR_INVALID_PARAMETER;
    if (extensions && extensions->dwSize != 16) return ERROR_INVALID_SIZE;
    // Windows takes a non-null handle for a paused dial to resume; there is none here.
    if (*connection) {
      j.Add("in-handle", DWORD(reinterpret_cast<ULONG_PTR>(*connection)));
      return ERROR_INVALID_HANDLE;
    }
    SimEntry* e = s.FindEntry(name.c_str());
    if (!e) return ERROR_CANNOT_FIND_PHONEBOOK_ENTRY;
    // An entry names its device; none named is no device (Windows does not pick one).
    std::string deviceName = Field(e->record.szDeviceName, sizeof e->record.szDeviceName);
    std::string deviceType = Field(e->record.szDeviceType, sizeof e->record.szDeviceType);
    const SimDevice* device = deviceName.empty() ? nullptr : FindDevice(s, deviceType, deviceName);
    if (!device) return ERROR_DEVICE_DOES_NOT_EXIST;
    // A call holds its port until it is hung up, a failed one too.
    for (const SimConnection& c : s.connections)
      if (lstrcmpiA(c.deviceName.c_str(), device->name.c_str()) == 0)
        return ERROR_PORT_NOT_AVAILABLE;

    std::string phone = Field(params->szPhoneNumber, sizeof params->szPhoneNumber);
    if (phone.empty())
      phone = Field(e->record.szLocalPhoneNumber, sizeof e->record.szLocalPhoneNumber);
    // The logon is what the caller passes: an empty user name stays empty (a dialler that
    // wants the saved logon reads it with RasGetEntryDialParamsA first).
    std::string user = Field(params->szUserName, sizeof params->szUserName);
    std::string password = Field(params->szPassword, sizeof params->szPassword);
    j.Add("phone", phone).Add("user", user).Add("device", device->name);

    SimConnection c;
    c.handle = s.service.nextHandle++;
    c.entry = e->name;
    c.deviceType = device->type;
    c.deviceName = device->name;
    c.phoneNumber = phone;
    c.userName = user;
    DWORD code = DialOutcome(s.service.dialOutcome);
    if (s.service.checkCredentials &&
        (user != s.service.acceptUser || password != s.service.acceptPassword))
      code = ERROR_AUTHENTICATION_FAILURE;
    if (code) {
      c.state = RASCS_Disconnected;
      c.error = code;
    } else {
      c.pending = s.service.dialPending;
      if (s.service.dialOutcome == "stalled") {
        // Never gets further than its last intermediate state.
        c.state = c.pending.empty() ? DWORD(RASCS_Authenticate) : c.pending.back();
        if (!c.pending.empty()) c.pending.pop_back();
      }
    }
    s.connections.push_back(c);
    *connection = reinterpret_cast<HRASCONN>(static_cast<ULONG_PTR>(c.handle));
    j.Add("handle", c.handle);
    return code;
  });
}

DWORD WINAPI RasGetConnectStatusA(HRASCONN connection, LPRASCONNSTATUSA status) {
  return Serve("RasGetConnectStatusA", [&](SimState& s, JournalRecord& j) -> DWORD {
    DWORD handle = DWORD(reinterpret_cast<ULONG_PTR>(connection));
    j.Add("handle", handle);
    if (!status) return ERROR_INVALID_PARAMETER;
    if (status->dwSize != kConnStatusSize) return ERROR_INVALID_SIZE;
    SimConnection* c = s.FindConnection(handle);
    if (!c) return ERROR_INVALID_HANDLE;
    DWORD reported = c->state;
    if (!c->pending.empty()) {
      reported = c->pending.front();
      c->pending.erase(c->pending.begin());
    }
    RASCONNSTATUSA out{};
    out.dwSize = kConnStatusSize;
    out.rasconnstate = static_cast<RASCONNSTATE>(reported);
    out.dwError = reported == RASCS_Disconnected ? c->error : 0;
    SetField(out.szDeviceType, sizeof out.szDeviceType, c->deviceType);
    SetField(out.szDeviceName, sizeof out.szDeviceName, c->deviceName);
    std::memcpy(status, &out, kConnStatusSize);
    j.Add("state", ConnStateName(reported));
    return 0;
  });
}

DWORD WINAPI RasEnumConnectionsA(LPRASCONNA connections, LPDWORD size, LPDWORD count) {
  return Serve("RasEnumConnectionsA", [&](SimState& s, JournalRecord& j) -> DWORD {
    if (!size || !count) return ERROR_INVALID_PARAMETER;
    j.Add("size", *size);
    if (connections && connections->dwSize != kConnSize) return ERROR_INVALID_SIZE;
    std::vector<const SimConnection*> live;
    for (const SimConnection& c : s.connections)
      if (c.state != RASCS_Disconnected) live.push_back(&c);
    DWORD needed = DWORD(live.size()) * kConnSize;
    if (*size < needed) {
      *size = needed;
      *count = DWORD(live.size());
      return ERROR_BUFFER_TOO_SMALL;
    }
    if (!connections && needed) return ERROR_BUFFER_INVALID;
    auto* out = reinterpret_cast<unsigned char*>(connections);
    for (std::size_t i = 0; i < live.size(); ++i) {
      RASCONNA c{};
      c.dwSize = kConnSize;
      c.hrasconn = reinterpret_cast<HRASCONN>(static_cast<ULONG_PTR>(live[i]->handle));
      SetField(c.szEntryName, sizeof c.szEntryName, live[i]->entry);
      SetField(c.szDeviceType, sizeof c.szDeviceType, live[i]->deviceType);
      SetField(c.szDeviceName, sizeof c.szDeviceName, live[i]->deviceName);
      std::memcpy(out + i * kConnSize, &c, kConnSize);
    }
    *size = needed;
    *count = DWORD(live.size());
    j.Add("count", *count);
    return 0;
  });
}

DWORD WINAPI RasGetErrorStringA(UINT code, LPSTR buffer, DWORD size) {
  return Serve("RasGetErrorStringA", [&](SimState&, JournalRecord& j) -> DWORD {
    j.Add("code", code).Add("size", size);
    const char* text = ErrorTextFor(code);
    if (!buffer || !text) return ERROR_INVALID_PARAMETER;
    std::size_t n = std::strlen(text);
    if (size < n + 1) return ERROR_INSUFFICIENT_BUFFER;
    std::memcpy(buffer, text, n + 1);
    return 0;
  });
}

DWORD WINAPI RasHangUpA(HRASCONN connection) {
  return Serve("RasHangUpA", [&](SimState& s, JournalRecord& j) -> DWORD {
    DWORD handle = DWORD(reinterpret_cast<ULONG_PTR>(connection));
    j.Add("handle", handle);
    for (auto it = s.connections.begin(); it != s.connections.end(); ++it) {
      if (it->handle == handle) {
        s.connections.erase(it);
        return 0;
      }
    }
    return ERROR_INVALID_HANDLE;
  });
}

}  // extern "C"
