// Outside input of the dial-up layer and the monitor: name-server texts from install.ini
// and the server, the command line of the shortcut, and whatever the system writes into
// the adapter and connection records (sizes, counts, unterminated texts).
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "dialup/DialDevices.h"
#include "dialup/ParseDottedAddress.h"
#include "monitor/ConnectionCheck.h"
#include "monitor/DiallerCommand.h"

namespace {

using namespace marvella;

// Answers every call with bytes taken from the input.
class HostileSystem : public RasOperations, public ConnectionSource, public DeviceListingView {
 public:
  HostileSystem(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  std::uint32_t Take32() {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = (v << 8) | Take8();
    return v;
  }
  std::uint8_t Take8() { return pos_ < size_ ? data_[pos_++] : 0; }
  void Fill(void* dst, std::size_t n) {
    auto* d = static_cast<std::uint8_t*>(dst);
    for (std::size_t i = 0; i < n; ++i) d[i] = Take8();
  }

  std::uint32_t RasEnumDevices(RASDEVINFOA* info, std::uint32_t* size,
                               std::uint32_t* count) override {
    *count = Take32();
    if (!info) {
      *size = Take32() % (1u << 20);
      return Take8() % 2 ? kRasErrorBufferTooSmall : 0;
    }
    Fill(info, *size < 2 * sizeof(RASDEVINFOA) ? *size : 2 * sizeof(RASDEVINFOA));
    return Take8() % 3 == 0 ? 610 : 0;
  }
  std::uint32_t RasValidateEntryName(const char*, const char*) override { return 0; }
  std::uint32_t RasSetEntryProperties(const char*, const char*, RASENTRYA*, std::uint32_t,
                                      std::uint8_t*, std::uint32_t) override {
    return 0;
  }
  std::uint32_t RasSetEntryDialParams(const char*, RASDIALPARAMSA*, bool) override { return 0; }
  std::uint32_t RasSetCredentials(const char*, const char*, RASCREDENTIALSA*, bool) override {
    return 0;
  }
  std::uint32_t RasDeleteEntry(const char*, const char*) override { return 0; }
  std::uint32_t RasDial(void*, const char*, RASDIALPARAMSA*, std::uint32_t, void*,
                        RasConnHandle*) override {
    return 0;
  }
  std::uint32_t RasGetConnectStatus(RasConnHandle, RASCONNSTATUSA* status) override {
    Fill(status, sizeof *status);
    return Take8() % 2;
  }
  std::uint32_t RasGetErrorString(std::uint32_t, char*, std::uint32_t) override { return 0; }
  std::uint32_t RasHangUp(RasConnHandle) override { return 0; }

  std::uint32_t RasEnumConnections(RASCONNA* connections, std::uint32_t* size,
                                   std::uint32_t* count) override {
    Fill(connections, *size < 3 * sizeof(RASCONNA) ? *size : 3 * sizeof(RASCONNA));
    *count = Take32();
    return Take8() % 4 == 0;
  }

  bool ListingRequested() override { return Take8() % 2; }
  void ShowListing(const char* text) override { shown += std::strlen(text); }

  std::size_t shown = 0;

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The first line is a text; the rest feeds the system's answers.
  std::size_t split = 0;
  while (split < size && data[split] != '\n') ++split;
  std::string text(reinterpret_cast<const char*>(data), split);
  RASIPADDR address;
  ParseDottedAddress(text.c_str(), address);
  DiallerCommand command;
  ChooseDiallerCommand(size % 2, text.c_str(), command);
  if (std::strlen(command.parameters) >= sizeof command.parameters) __builtin_trap();

  std::size_t rest = split < size ? split + 1 : size;
  HostileSystem system(data + rest, size - rest);
  DialDeviceList list;
  EnumerateDialDevices(system, list, system.Take8() % 2, system);
  for (std::size_t i = 0; i < list.Count(); ++i) {
    if (std::strlen(list.At(i).szDeviceType) > kRasMaxDeviceType) __builtin_trap();
    if (std::strlen(list.At(i).szDeviceName) > kRasMaxDeviceName) __builtin_trap();
  }
  IsAnyConnectionUp(system);
  return 0;
}
