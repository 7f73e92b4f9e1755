// Base of every fetching object of the toolbar (bookmarks file, banner feed, page fetchers,
// mail checker): its Internet session, taken from the queue (shared by default), the number
// of its downloads running now and the result of its last one. Both are written by the
// download worker and read by the client's own threads, so they are atomic.
#pragma once

#include "toolbar/DownloadQueue.h"
#include "toolbar/FetchContext.h"

#include <atomic>

namespace marvella {

class DownloadClient {
 public:
  // agent: the text the session announces (string 1 of the library). proxy: a proxy name,
  // or null for the system's settings. ownHandle: open a session of its own instead of
  // taking the shared one.
  DownloadClient(DownloadQueue& queue, const char* agent, const char* proxy = nullptr,
                 bool ownHandle = false);
  // The context's queue and agent, the shared session.
  explicit DownloadClient(const FetchContext& context)
      : DownloadClient(context.queue, context.agent) {}
  DownloadClient(const DownloadClient&) = delete;
  DownloadClient& operator=(const DownloadClient&) = delete;

  // Drops this client's queued requests (a download of it that is running finishes and its
  // result is discarded) and lets go of its session. Safe to call twice; the destructor
  // calls it. Derived classes call it first in their destructors, before their own fields
  // go away.
  void Close();

  // Downloads of this client that the worker is running now (0 or 1).
  int BusyCount() const { return busy_.load(std::memory_order_acquire); }
  // True when the last download produced data in its destination; false at first.
  bool LastResult() const { return lastResult_.load(std::memory_order_acquire); }
  DownloadQueue& Queue() { return queue_; }
  // Runs hook(context) on the worker each time a download of this client has written its
  // file, so a reader can read ahead. It must return at once (the queue's lock is held);
  // it is never called once Close has returned.
  void SetStoredHook(void (*hook)(void*), void* context) {
    storedHook_ = hook;
    storedContext_ = context;
  }

 protected:
  // Not virtual: nothing owns clients through this base.
  ~DownloadClient();
  void QueueDownload(const char* url, const char* destination,
                     std::size_t largestBody = kLargestBody) {
    queue_.Queue(*this, url, destination, largestBody);
  }

 private:
  friend class DownloadQueue;
  DownloadQueue& queue_;
  DownloadQueue::Session* session_ = nullptr;
  bool closed_ = false;
  std::atomic<int> busy_{0};
  std::atomic<bool> lastResult_{false};
  void (*storedHook_)(void*) = nullptr;
  void* storedContext_ = nullptr;
};

}  // namespace marvella
