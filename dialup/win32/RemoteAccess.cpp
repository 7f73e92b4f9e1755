// The pages' dial-up operations over the run-time binding.
#include "dialup/win32/RemoteAccess.h"

#include "common/win32/Owned.h"
#include "dialup/DialEntry.h"
#include "dialup/RemoteAccessCheck.h"
#include "dialup/win32/RasLibrary.h"

namespace marvella {

namespace {

class ControlKeyListing final : public DeviceListingView {
 public:
  ControlKeyListing(HWND owner, const char* title) : owner_(owner), title_(title) {}
  bool ListingRequested() override { return GetKeyState(VK_CONTROL) < 0; }
  void ShowListing(const char* text) override { MessageBoxA(owner_, text, title_, MB_OK); }

 private:
  HWND owner_;
  const char* title_;
};

}  // namespace

bool IsRemoteAccessInstalled() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  static_assert(sizeof version == 148, "the version record every Windows knows");
  if (!GetVersionExA(&version)) return false;
  const char* key =
      RemoteAccessKeyFor(version.dwPlatformId, version.dwMajorVersion, version.dwMinorVersion);
  if (!key) return false;
  HKEY opened = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  OwnedKey present(opened);
  present.Reset();  // only that it opens counts
  SystemSleeper sleeper;
  RasLibrary ras(sleeper);
  return RemoteAccessAnswers(ras);
}

bool EnumerateDialDevices(DialDeviceList& list, bool modemsAndIsdnOnly, HWND owner,
                          const char* title) {
  SystemSleeper sleeper;
  RasLibrary ras(sleeper);
  ControlKeyListing view(owner, title);
  return EnumerateDialDevices(ras, list, modemsAndIsdnOnly, view);
}

bool CreateDialEntry(const DialEntrySettings& settings) {
  SystemSleeper sleeper;
  RasLibrary ras(sleeper);
  return CreateDialEntry(ras, settings);
}

std::uint32_t DeleteDialEntry(const char* entryName) {
  SystemSleeper sleeper;
  RasLibrary ras(sleeper);
  return DeleteDialEntry(ras, entryName);
}

}  // namespace marvella
