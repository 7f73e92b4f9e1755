// Dial-up networking "configured" for the life of a test: the remote-access service key
// that the installer's environment check looks for (a fresh Wine prefix has none; the
// simulated service stands in for the rest). The key is in the prefix's shared registry, so
// this holds the lock every test that changes it takes, and removes the key again only
// when it was the one to create it.
#pragma once

#include <windows.h>

namespace marvella::test {

class RemoteAccessConfigured {
 public:
  RemoteAccessConfigured() : lock_(CreateMutexA(nullptr, FALSE, "marvella-remoteaccess-key")) {
    WaitForSingleObject(lock_, INFINITE);
    HKEY key;
    DWORD disposition = 0;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kService, 0, nullptr, 0, KEY_READ, nullptr, &key,
                        &disposition) == ERROR_SUCCESS) {
      created_ = disposition == REG_CREATED_NEW_KEY;
      RegCloseKey(key);
    }
  }
  ~RemoteAccessConfigured() {
    if (created_) RegDeleteKeyA(HKEY_LOCAL_MACHINE, kService);
    ReleaseMutex(lock_);
    CloseHandle(lock_);
  }
  RemoteAccessConfigured(const RemoteAccessConfigured&) = delete;
  RemoteAccessConfigured& operator=(const RemoteAccessConfigured&) = delete;

 private:
  static constexpr const char* kService = "System\\CurrentControlSet\\Services\\RemoteAccess";
  HANDLE lock_;
  bool created_ = false;
};

}  // namespace marvella::test
