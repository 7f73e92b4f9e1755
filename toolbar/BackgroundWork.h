// Work that a browser window's thread asks for and a thread of its own does, so the window
// never waits for disk or decoding: requests made while the job runs are served by one more
// run, never queued one by one.
#pragma once

#include "toolbar/Threads.h"

#include <atomic>

namespace marvella {

class BackgroundWork {
 public:
  BackgroundWork(void (*job)(void*), void* argument) : job_(job), argument_(argument) {
    settled_.Set();
  }
  ~BackgroundWork() { Stop(); }
  BackgroundWork(const BackgroundWork&) = delete;
  BackgroundWork& operator=(const BackgroundWork&) = delete;

  // Asks for one run of the job, which starts soon after on the work's thread (started at
  // the first request). False when no thread could be started: the caller does the work.
  // Any thread may ask (the download worker does); a request that comes while the owner
  // stops the work is dropped.
  bool Request();
  // Raises the cancel flag, waits for a run in progress, ends the thread and drops requests
  // not yet served; a later request starts a new thread. The owner stops (from one thread)
  // before what the job uses goes.
  void Stop();
  // True while the owner is stopping the work: a run in progress ends as soon as it can,
  // so that the window that closes waits for one short step, not for the whole job.
  bool Cancelled() const { return cancelled_.load(std::memory_order_acquire); }
  // Waits until no run is asked for or in progress, or the time has passed; true when
  // settled (a caller waiting for the work's effects).
  bool WaitIdle(unsigned milliseconds);

 private:
  static void Run(void* work);

  void (*job_)(void*);
  void* argument_;
  Mutex mutex_;  // guards the flags, the settled event's changes and starting thread_
  bool pending_ = false;
  bool stopping_ = false;  // while set, nobody but Stop touches thread_
  bool running_ = false;
  std::atomic<bool> cancelled_{false};
  Event wake_;
  Event settled_;  // set while nothing is pending or running
  Thread thread_;
};

}  // namespace marvella
