// A recording stand-in for the ten remote-access operations: it keeps every call in order,
// with copies of the records passed, and answers from a small script.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "dialup/RasOperations.h"
#include "tests/unit/dialup/Recorders.h"

namespace marvella::test {

class FakeRas : public RasOperations {
 public:
  explicit FakeRas(Sleeper& sleeper) : sleeper_(&sleeper) {}

  // The script.
  std::vector<RASDEVINFOA> devices;
  std::uint32_t enumResult = 0;  // second (buffer) call; the size query answers 603
  std::uint32_t validateResult = 0;
  std::uint32_t setPropertiesResult = 0;
  std::uint32_t dialResult = 0;
  RasConnHandle dialHandle = 0x51;
  bool dialWritesHandle = true;
  std::uint32_t statusResult = 0;
  std::uint32_t state = kRasConnected;
  bool missing = false;  // every entry point absent: the binding's fixed values

  // The record.
  std::vector<std::string> calls;
  std::vector<RASENTRYA> entries;
  std::vector<RASDIALPARAMSA> dialParams;  // RasSetEntryDialParams, then RasDial
  std::vector<RASCREDENTIALSA> credentials;
  std::vector<std::string> names;  // entry names passed by name
  std::vector<RasConnHandle> dialInputHandles;
  std::vector<RasConnHandle> hungUp;
  std::vector<std::uint32_t> errorCodes;
  bool nonNullPhonebook = false;

  std::uint32_t RasEnumDevices(RASDEVINFOA* info, std::uint32_t* size,
                               std::uint32_t* count) override {
    calls.push_back(info ? "RasEnumDevices(buffer)" : "RasEnumDevices(query)");
    if (missing) return kMissingRasEnumDevices;
    std::uint32_t needed = std::uint32_t(devices.size() * sizeof(RASDEVINFOA));
    *count = std::uint32_t(devices.size());
    if (!info || *size < needed) {
      *size = needed;
      return kRasErrorBufferTooSmall;
    }
    if (info->dwSize != sizeof(RASDEVINFOA)) return 632;
    if (!devices.empty()) std::memcpy(info, devices.data(), needed);
    return enumResult;
  }
  std::uint32_t RasValidateEntryName(const char* pb, const char* entry) override {
    Note("RasValidateEntryName", pb, entry);
    return missing ? kMissingRasValidateEntryName : validateResult;
  }
  std::uint32_t RasSetEntryProperties(const char* pb, const char* entry, RASENTRYA* record,
                                      std::uint32_t size, std::uint8_t* devInfo,
                                      std::uint32_t devSize) override {
    Note("RasSetEntryProperties", pb, entry);
    if (missing) return kMissingRasSetEntryProperties;
    entries.push_back(*record);
    entrySizes.push_back(size);
    deviceBlocks.push_back(devInfo != nullptr || devSize != 0);
    return setPropertiesResult;
  }
  std::uint32_t RasSetEntryDialParams(const char* pb, RASDIALPARAMSA* params,
                                      bool removePassword) override {
    Note("RasSetEntryDialParams", pb, params->szEntryName);
    if (missing) return kMissingRasSetEntryDialParams;
    dialParams.push_back(*params);
    removedPassword.push_back(removePassword);
    return 0;
  }
  std::uint32_t RasSetCredentials(const char* pb, const char* entry, RASCREDENTIALSA* creds,
                                  bool clear) override {
    Note("RasSetCredentials", pb, entry);
    if (missing) return kMissingRasSetCredentials;
    credentials.push_back(*creds);
    cleared.push_back(clear);
    return 0;
  }
  std::uint32_t RasDeleteEntry(const char* pb, const char* entry) override {
    Note("RasDeleteEntry", pb, entry);
    return missing ? kMissingRasDeleteEntry : 623;
  }
  std::uint32_t RasDial(void* ext, const char* pb, RASDIALPARAMSA* params,
                        std::uint32_t notifierType, void* notifier,
                        RasConnHandle* connection) override {
    Note("RasDial", pb, params->szEntryName);
    if (ext || notifierType || notifier) calls.back() += "(async!)";
    if (missing) return kMissingRasDial;
    dialParams.push_back(*params);
    dialInputHandles.push_back(*connection);
    if (dialWritesHandle) *connection = dialHandle;
    return dialResult;
  }
  std::uint32_t RasGetConnectStatus(RasConnHandle connection, RASCONNSTATUSA* status) override {
    calls.push_back("RasGetConnectStatus");
    statusHandles.push_back(connection);
    statusSizes.push_back(status->dwSize);
    if (missing) return kMissingRasGetConnectStatus;
    if (statusResult == 0) status->rasconnstate = state;
    return statusResult;
  }
  std::uint32_t RasGetErrorString(std::uint32_t code, char* buffer, std::uint32_t size) override {
    calls.push_back("RasGetErrorString");
    errorCodes.push_back(code);
    errorBufferSizes.push_back(size);
    if (missing) return kMissingRasGetErrorString;
    std::string text = "Error " + std::to_string(code) + ": la línea está ocupada.";
    std::strncpy(buffer, text.c_str(), size - 1);
    return 0;
  }
  std::uint32_t RasHangUp(RasConnHandle connection) override {
    calls.push_back("RasHangUp");
    if (missing) return kMissingRasHangUp;
    hungUp.push_back(connection);
    sleeper_->Sleep(kHangUpSettleMs);  // as the binding does
    return 0;
  }

  std::vector<std::uint32_t> entrySizes;
  std::vector<bool> deviceBlocks;
  std::vector<bool> removedPassword;
  std::vector<bool> cleared;
  std::vector<RasConnHandle> statusHandles;
  std::vector<std::uint32_t> statusSizes;
  std::vector<std::uint32_t> errorBufferSizes;

 private:
  void Note(const char* call, const char* pb, const char* entry) {
    calls.push_back(call);
    names.push_back(entry ? entry : "(null)");
    if (pb) nonNullPhonebook = true;
  }
  Sleeper* sleeper_;
};

inline RASDEVINFOA Device(const char* type, const char* name) {
  RASDEVINFOA d{};
  d.dwSize = sizeof d;
  std::strncpy(d.szDeviceType, type, sizeof d.szDeviceType - 1);
  std::strncpy(d.szDeviceName, name, sizeof d.szDeviceName - 1);
  return d;
}

}  // namespace marvella::test
