// The dial-up adapters of the machine, as the hardware page lists them.
#pragma once

#include <cstddef>
#include <vector>

#include "dialup/RasOperations.h"
#include "dialup/RasTypes.h"

namespace marvella {

// The adapters in enumeration order. Every text in an element is zero-ended within its field.
class DialDeviceList {
 public:
  void Clear() { devices_.clear(); }
  void Append(const char* type, const char* name);
  // Same, for texts in fields that may lack their terminator: at most capacity bytes read.
  void Append(const char* type, std::size_t typeCapacity, const char* name,
              std::size_t nameCapacity);
  std::size_t Count() const { return devices_.size(); }
  const RASDEVINFOA& At(std::size_t index) const { return devices_[index]; }

 private:
  std::vector<RASDEVINFOA> devices_;
};

// Where the support listing goes: a technician holding Control while the hardware page
// opens sees every adapter the system reports, before any filtering.
class DeviceListingView {
 public:
  virtual ~DeviceListingView() = default;
  // True when the listing is wanted now (the Control key is down).
  virtual bool ListingRequested() = 0;
  // Shows the listing: one "name | type" line per adapter, each ended by "\n".
  virtual void ShowListing(const char* text) = 0;
};

// Refills list from the system. With modemsAndIsdnOnly, only adapters of type "modem" or
// "isdn" (any case) are taken. Returns false, with the list empty, when the enumeration
// failed (remote access missing included); true otherwise, even with no adapter.
bool EnumerateDialDevices(RasOperations& ras, DialDeviceList& list, bool modemsAndIsdnOnly,
                          DeviceListingView& view);

}  // namespace marvella
