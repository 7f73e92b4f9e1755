// The process-wide download queue: every fetching object of the toolbar (a DownloadClient)
// queues "fetch this URL into this file" here, and one worker thread serves the requests
// strictly one after the other, in the order queued. The worker exists exactly while the
// queue is not empty. The queue also keeps the Internet session that clients share.
//
// Threads: clients queue and close on the browser windows' threads and on mail polling
// threads; the worker serves. One lock guards the list, the sessions and the clients' links
// to their requests; no network call is made while it is held.
#pragma once

#include "toolbar/Fetcher.h"
#include "toolbar/HttpBody.h"
#include "toolbar/Threads.h"

#include <cstddef>

namespace marvella {

class DownloadClient;

constexpr std::size_t kRequestUrlCapacity = 1024;  // 1023 characters
constexpr std::size_t kRequestPathCapacity = 260;  // 259 characters

class DownloadQueue {
 public:
  DownloadQueue(Fetcher& fetcher, ThreadStarter& starter);
  // Frees requests still queued; only at the end of the process, with no worker running.
  ~DownloadQueue();
  DownloadQueue(const DownloadQueue&) = delete;
  DownloadQueue& operator=(const DownloadQueue&) = delete;

  // Queues a download of url into destination for client, of a body up to largestBody
  // bytes; returns at once. Does nothing when the request at the head (being served or
  // next) has exactly this URL and destination. Sets the client's last result to false
  // when the request cannot be queued (no memory, no worker thread, or a URL or path longer
  // than its buffer).
  void Queue(DownloadClient& client, const char* url, const char* destination,
             std::size_t largestBody = kLargestBody);

  // True while a request of client into destination is queued or being served.
  bool HasRequest(const DownloadClient& client, const char* destination);

 private:
  // The worker's loop; the thread starter runs it.
  static void RunWorker(void* queue);

  friend class DownloadClient;
  struct Request;
  struct Session;

  Session* AcquireSession(const char* agent, const char* proxy, bool ownHandle);
  // Drops one user of session; closes it when it was the last. Called with the lock held;
  // returns the handle to close after unlocking, or null.
  InternetHandle ReleaseSessionLocked(Session* session);
  void CloseClient(DownloadClient& client);
  void Serve();

  Fetcher& fetcher_;
  ThreadStarter& starter_;
  Mutex mutex_;
  Request* head_ = nullptr;
  Request* tail_ = nullptr;
  Session* shared_ = nullptr;
};

}  // namespace marvella
