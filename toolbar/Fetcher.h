// How the download queue reaches the network and starts its worker: WinINet and
// CreateThread in the library, fakes in tests.
#pragma once

#include <atomic>
#include <cstddef>

namespace marvella {

using InternetHandle = void*;

// What one download may bring, and whether anyone still waits for it.
struct DownloadTerms {
  std::size_t largestBody;             // a longer body fails the download (HttpBody.h)
  const std::atomic<bool>* abandoned;  // set when its client has gone; may be null
};

class Fetcher {
 public:
  virtual ~Fetcher() = default;
  // Opens an Internet session for the agent text, through the named proxy or the system's
  // settings when proxy is null. Null when none could be opened.
  virtual InternetHandle OpenInternet(const char* agent, const char* proxy) = 0;
  // Closes a session nobody uses any more.
  virtual void CloseInternet(InternetHandle handle) = 0;
  // Fetches url with the session and replaces destination by the whole body. True only when
  // destination now holds that body; on false destination keeps what it held. Runs on the
  // download worker; every wait in it is bounded, and it gives up soon after the download
  // is abandoned. handle may be null (no session: fails).
  virtual bool DownloadToFile(InternetHandle handle, const char* url, const char* destination,
                              const DownloadTerms& terms) = 0;
};

class ThreadStarter {
 public:
  virtual ~ThreadStarter() = default;
  // Runs run(argument) on a new thread with the default stack size, which ends when run
  // returns and is not joined. False when no thread could be started.
  virtual bool StartThread(void (*run)(void*), void* argument) = 0;
};

// Starts detached threads of the platform (Threads.h).
class DetachedThreadStarter : public ThreadStarter {
 public:
  bool StartThread(void (*run)(void*), void* argument) override;
};

}  // namespace marvella
