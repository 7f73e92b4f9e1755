// Adapter enumeration: the size query, the listing for support and the modem/ISDN filter.
#include "dialup/DialDevices.h"

#include <string>

#include "common/BoundedText.h"

namespace marvella {

namespace {

// The system reports the size it needs; a machine has a handful of adapters, so anything
// beyond this is not believed (and never allocated).
constexpr std::uint32_t kMaxDevices = 1024;

// Length of a text field that the system may have left unterminated: as if its last byte
// were the terminator.
std::size_t FieldLength(const char* field, std::size_t capacity) {
  std::size_t n = 0;
  while (n + 1 < capacity && field[n]) ++n;
  return n;
}

bool EqualsIgnoringCase(const char* field, std::size_t capacity, const char* word) {
  std::size_t n = FieldLength(field, capacity);
  std::size_t i = 0;
  for (; i < n && word[i]; ++i) {
    char a = field[i], b = word[i];
    if (a >= 'A' && a <= 'Z') a = char(a - 'A' + 'a');
    if (a != b) return false;
  }
  return i == n && word[i] == '\0';
}

}  // namespace

void DialDeviceList::Append(const char* type, const char* name) {
  RASDEVINFOA device{};
  device.dwSize = sizeof(RASDEVINFOA);
  CopyBounded(device.szDeviceType, type);
  CopyBounded(device.szDeviceName, name);
  devices_.push_back(device);
}

void DialDeviceList::Append(const char* type, std::size_t typeCapacity, const char* name,
                            std::size_t nameCapacity) {
  RASDEVINFOA device{};
  device.dwSize = sizeof(RASDEVINFOA);
  CopyBounded(device.szDeviceType, sizeof device.szDeviceType, type,
              FieldLength(type, typeCapacity + 1));
  CopyBounded(device.szDeviceName, sizeof device.szDeviceName, name,
              FieldLength(name, nameCapacity + 1));
  devices_.push_back(device);
}

bool EnumerateDialDevices(RasOperations& ras, DialDeviceList& list, bool modemsAndIsdnOnly,
                          DeviceListingView& view) {
  list.Clear();
  std::uint32_t size = 0;
  std::uint32_t count = 0;
  ras.RasEnumDevices(nullptr, &size, &count);
  // At least one record: with the entry point missing the query reports nothing at all.
  std::uint32_t records = size / sizeof(RASDEVINFOA) + (size % sizeof(RASDEVINFOA) ? 1 : 0);
  if (records == 0) records = 1;
  if (records > kMaxDevices) records = kMaxDevices;
  std::vector<RASDEVINFOA> buffer(records, RASDEVINFOA{});
  buffer[0].dwSize = sizeof(RASDEVINFOA);
  const std::uint32_t bufferBytes = records * std::uint32_t(sizeof(RASDEVINFOA));
  // The size the query gave, but never more than what was allocated.
  std::uint32_t passed = size < bufferBytes ? size : bufferBytes;
  std::uint32_t result = ras.RasEnumDevices(buffer.data(), &passed, &count);
  // Only records inside the buffer are read, whatever count the system wrote.
  std::uint32_t seen = count < records ? count : records;

  if (view.ListingRequested()) {
    std::string text;
    for (std::uint32_t i = 0; i < seen; ++i) {
      const RASDEVINFOA& d = buffer[i];
      text.append(d.szDeviceName, FieldLength(d.szDeviceName, sizeof d.szDeviceName));
      text.append(" | ");
      text.append(d.szDeviceType, FieldLength(d.szDeviceType, sizeof d.szDeviceType));
      text.append("\n");
    }
    view.ShowListing(text.c_str());
  }

  if (result != 0) return false;
  for (std::uint32_t i = 0; i < seen; ++i) {
    const RASDEVINFOA& d = buffer[i];
    if (modemsAndIsdnOnly && !EqualsIgnoringCase(d.szDeviceType, sizeof d.szDeviceType, "isdn") &&
        !EqualsIgnoringCase(d.szDeviceType, sizeof d.szDeviceType, "modem"))
      continue;
    list.Append(d.szDeviceType, sizeof d.szDeviceType, d.szDeviceName, sizeof d.szDeviceName);
  }
  return true;
}

}  // namespace marvella
