// The process-wide download queue, its worker and the shared Internet session.
#include "toolbar/DownloadQueue.h"

#include "common/BoundedText.h"
#include "toolbar/DownloadClient.h"

#include <cstring>
#include <new>

namespace marvella {

struct DownloadQueue::Request {
  DownloadClient* client;  // cleared when the client closes: the worker skips the request
  char url[kRequestUrlCapacity];
  char destination[kRequestPathCapacity];
  std::size_t largestBody;
  // Set with client cleared; the fetcher reads it without the lock, so that a transfer
  // nobody waits for stops instead of holding the worker.
  std::atomic<bool> abandoned{false};
  Request* next;
};

// An Internet session and the number of its users: the clients that hold it, plus the
// worker while it downloads with it, so that a closing client never pulls the handle from
// under a running transfer.
struct DownloadQueue::Session {
  InternetHandle handle;
  unsigned users;
};

bool DetachedThreadStarter::StartThread(void (*run)(void*), void* argument) {
  return StartDetachedThread(run, argument);
}

DownloadQueue::DownloadQueue(Fetcher& fetcher, ThreadStarter& starter)
    : fetcher_(fetcher), starter_(starter) {}

DownloadQueue::~DownloadQueue() {
  while (head_) {
    Request* next = head_->next;
    delete head_;
    head_ = next;
  }
}

DownloadQueue::Session* DownloadQueue::AcquireSession(const char* agent, const char* proxy,
                                                      bool ownHandle) {
  MutexLock lock(mutex_);
  if (!ownHandle && shared_) {
    ++shared_->users;
    return shared_;
  }
  Session* session = new (std::nothrow) Session{nullptr, 1};
  if (!session) return nullptr;
  session->handle = fetcher_.OpenInternet(agent, proxy);
  if (!session->handle) {
    delete session;
    return nullptr;
  }
  // The first session opened becomes the shared one, even when its client asked for its own.
  if (!shared_) shared_ = session;
  return session;
}

InternetHandle DownloadQueue::ReleaseSessionLocked(Session* session) {
  if (!session || --session->users > 0) return nullptr;
  if (shared_ == session) shared_ = nullptr;  // the next client opens a new one
  InternetHandle handle = session->handle;
  delete session;
  return handle;
}

void DownloadQueue::CloseClient(DownloadClient& client) {
  InternetHandle toClose = nullptr;
  {
    MutexLock lock(mutex_);
    for (Request* r = head_; r; r = r->next)
      if (r->client == &client) {
        r->client = nullptr;
        r->abandoned.store(true, std::memory_order_release);
      }
    toClose = ReleaseSessionLocked(client.session_);
    client.session_ = nullptr;
  }
  if (toClose) fetcher_.CloseInternet(toClose);
}

void DownloadQueue::Queue(DownloadClient& client, const char* url, const char* destination,
                          std::size_t largestBody) {
  // A cut URL or path would fetch the wrong page or write the wrong file: refuse them.
  std::size_t urlLength = std::strlen(url);
  std::size_t pathLength = std::strlen(destination);
  if (urlLength >= kRequestUrlCapacity || pathLength >= kRequestPathCapacity) {
    client.lastResult_.store(false, std::memory_order_release);
    return;
  }
  MutexLock lock(mutex_);
  // The head is being served or is next: the same download is already on its way. A head
  // whose client has closed will be skipped, so it does not count.
  if (head_ && head_->client && std::strcmp(head_->url, url) == 0 &&
      std::strcmp(head_->destination, destination) == 0)
    return;
  Request* request = new (std::nothrow) Request;
  if (!request) {
    client.lastResult_.store(false, std::memory_order_release);
    return;
  }
  request->client = &client;
  CopyBounded(request->url, url);
  CopyBounded(request->destination, destination);
  request->largestBody = largestBody;
  request->next = nullptr;
  if (tail_) {
    tail_->next = request;
    tail_ = request;
    return;
  }
  head_ = tail_ = request;
  // The worker waits for this lock before it looks at the queue.
  if (!starter_.StartThread(&DownloadQueue::RunWorker, this)) {
    // Without a worker the request would sit there for ever.
    head_ = tail_ = nullptr;
    delete request;
    client.lastResult_.store(false, std::memory_order_release);
  }
}

bool DownloadQueue::HasRequest(const DownloadClient& client, const char* destination) {
  MutexLock lock(mutex_);
  for (Request* r = head_; r; r = r->next)
    if (r->client == &client && std::strcmp(r->destination, destination) == 0) return true;
  return false;
}

void DownloadQueue::RunWorker(void* queue) { static_cast<DownloadQueue*>(queue)->Serve(); }

void DownloadQueue::Serve() {
  mutex_.Lock();
  while (head_) {
    Request* request = head_;
    DownloadClient* client = request->client;
    if (client) {
      client->busy_.fetch_add(1, std::memory_order_acq_rel);
      Session* session = client->session_;
      if (session) ++session->users;
      mutex_.Unlock();
      DownloadTerms terms = {request->largestBody, &request->abandoned};
      bool result = fetcher_.DownloadToFile(session ? session->handle : nullptr, request->url,
                                            request->destination, terms);
      mutex_.Lock();
      // A client that closed meanwhile is gone: its result is dropped.
      if (request->client) {
        client->lastResult_.store(result, std::memory_order_release);
        client->busy_.fetch_sub(1, std::memory_order_acq_rel);
        if (result && client->storedHook_) client->storedHook_(client->storedContext_);
      }
      InternetHandle toClose = ReleaseSessionLocked(session);
      if (toClose) {
        mutex_.Unlock();
        fetcher_.CloseInternet(toClose);
        mutex_.Lock();
      }
    }
    head_ = request->next;
    if (!head_) tail_ = nullptr;
    delete request;
  }
  mutex_.Unlock();
}

}  // namespace marvella
