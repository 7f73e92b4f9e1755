// rasapi32.dll entry points, typed once against the system's prototypes (ANSI forms; DWORD
// values and handles as the system passes them) and looked up at each call.
#include "dialup/win32/RasLibrary.h"

#include <atomic>

#include "common/win32/SystemLibrary.h"

namespace marvella {

namespace {

// HRASCONN as the system passes it: a handle, as wide as a pointer. The kit keeps it as the
// 32-bit value it always is in a 32-bit process (RasConnHandle).
using SystemConnHandle = std::uintptr_t;

using EnumDevicesFn = std::uint32_t(WINAPI*)(RASDEVINFOA*, std::uint32_t*, std::uint32_t*);
using ValidateEntryNameFn = std::uint32_t(WINAPI*)(const char*, const char*);
using SetEntryPropertiesFn = std::uint32_t(WINAPI*)(const char*, const char*, RASENTRYA*,
                                                    std::uint32_t, std::uint8_t*, std::uint32_t);
using SetEntryDialParamsFn = std::uint32_t(WINAPI*)(const char*, RASDIALPARAMSA*, BOOL);
using SetCredentialsFn = std::uint32_t(WINAPI*)(const char*, const char*, RASCREDENTIALSA*, BOOL);
using DeleteEntryFn = std::uint32_t(WINAPI*)(const char*, const char*);
using DialFn = std::uint32_t(WINAPI*)(void*, const char*, RASDIALPARAMSA*, std::uint32_t, void*,
                                      SystemConnHandle*);
using GetConnectStatusFn = std::uint32_t(WINAPI*)(SystemConnHandle, RASCONNSTATUSA*);
using GetErrorStringFn = std::uint32_t(WINAPI*)(UINT, char*, std::uint32_t);
using HangUpFn = std::uint32_t(WINAPI*)(SystemConnHandle);

// The one module handle of the process: set once, never freed.
std::atomic<HMODULE> g_module{nullptr};

template <typename Fn>
Fn Lookup(const char* name) {
  HMODULE module = g_module.load();
  if (!module) return nullptr;
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

RasLibrary::RasLibrary(Sleeper& sleeper) : sleeper_(sleeper) {
  SharedSystemLibrary(g_module, "rasapi32.dll");
}

HMODULE RasLibrary::Module() { return g_module.load(); }

std::uint32_t RasLibrary::RasEnumDevices(RASDEVINFOA* devices, std::uint32_t* size,
                                         std::uint32_t* count) {
  auto fn = Lookup<EnumDevicesFn>("RasEnumDevicesA");
  return fn ? fn(devices, size, count) : kMissingRasEnumDevices;
}

std::uint32_t RasLibrary::RasValidateEntryName(const char* phonebook, const char* entry) {
  auto fn = Lookup<ValidateEntryNameFn>("RasValidateEntryNameA");
  return fn ? fn(phonebook, entry) : kMissingRasValidateEntryName;
}

std::uint32_t RasLibrary::RasSetEntryProperties(const char* phonebook, const char* entry,
                                                RASENTRYA* record, std::uint32_t recordSize,
                                                std::uint8_t* deviceInfo,
                                                std::uint32_t deviceInfoSize) {
  auto fn = Lookup<SetEntryPropertiesFn>("RasSetEntryPropertiesA");
  return fn ? fn(phonebook, entry, record, recordSize, deviceInfo, deviceInfoSize)
            : kMissingRasSetEntryProperties;
}

std::uint32_t RasLibrary::RasSetEntryDialParams(const char* phonebook, RASDIALPARAMSA* params,
                                                bool removePassword) {
  auto fn = Lookup<SetEntryDialParamsFn>("RasSetEntryDialParamsA");
  return fn ? fn(phonebook, params, removePassword ? TRUE : FALSE) : kMissingRasSetEntryDialParams;
}

std::uint32_t RasLibrary::RasSetCredentials(const char* phonebook, const char* entry,
                                            RASCREDENTIALSA* credentials, bool clear) {
  auto fn = Lookup<SetCredentialsFn>("RasSetCredentialsA");
  return fn ? fn(phonebook, entry, credentials, clear ? TRUE : FALSE) : kMissingRasSetCredentials;
}

std::uint32_t RasLibrary::RasDeleteEntry(const char* phonebook, const char* entry) {
  auto fn = Lookup<DeleteEntryFn>("RasDeleteEntryA");
  return fn ? fn(phonebook, entry) : kMissingRasDeleteEntry;
}

std::uint32_t RasLibrary::RasDial(void* extensions, const char* phonebook, RASDIALPARAMSA* params,
                                  std::uint32_t notifierType, void* notifier,
                                  RasConnHandle* connection) {
  auto fn = Lookup<DialFn>("RasDialA");
  if (!fn) return kMissingRasDial;
  // The system writes the handle even when the dial fails; the caller hangs it up.
  SystemConnHandle handle = *connection;
  std::uint32_t result = fn(extensions, phonebook, params, notifierType, notifier, &handle);
  *connection = static_cast<RasConnHandle>(handle);
  return result;
}

std::uint32_t RasLibrary::RasGetConnectStatus(RasConnHandle connection, RASCONNSTATUSA* status) {
  auto fn = Lookup<GetConnectStatusFn>("RasGetConnectStatusA");
  return fn ? fn(connection, status) : kMissingRasGetConnectStatus;
}

std::uint32_t RasLibrary::RasGetErrorString(std::uint32_t code, char* buffer, std::uint32_t size) {
  auto fn = Lookup<GetErrorStringFn>("RasGetErrorStringA");
  return fn ? fn(code, buffer, size) : kMissingRasGetErrorString;
}

std::uint32_t RasLibrary::RasHangUp(RasConnHandle connection) {
  auto fn = Lookup<HangUpFn>("RasHangUpA");
  if (!fn) return kMissingRasHangUp;
  std::uint32_t result = fn(connection);
  sleeper_.Sleep(kHangUpSettleMs);
  return result;
}

}  // namespace marvella
