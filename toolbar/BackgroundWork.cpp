// The work thread: it sleeps until asked, lowers its wake flag before it looks at what it
// was asked, and runs the job once per wake with a request pending.
#include "toolbar/BackgroundWork.h"

namespace marvella {

namespace {
constexpr unsigned kLongSleepMilliseconds = 60000;
}  // namespace

bool BackgroundWork::Request() {
  {
    MutexLock lock(mutex_);
    if (stopping_) return true;  // the owner is letting the work go: nothing more to do
    // The thread is started under the lock, so two requests never start two threads; it
    // takes the lock itself before it looks at the flags.
    if (!thread_.Started() && !thread_.Start(&BackgroundWork::Run, this)) return false;
    pending_ = true;
    settled_.Reset();
  }
  wake_.Set();
  return true;
}

void BackgroundWork::Stop() {
  {
    MutexLock lock(mutex_);
    if (!thread_.Started()) return;
    stopping_ = true;
    cancelled_.store(true, std::memory_order_release);
  }
  wake_.Set();
  // Not under mutex_, which the thread takes to see that it must end; stopping_ keeps
  // every request away from thread_ meanwhile.
  thread_.Join();
  MutexLock lock(mutex_);
  stopping_ = false;
  pending_ = false;
  cancelled_.store(false, std::memory_order_release);
  wake_.Reset();
  settled_.Set();
}

bool BackgroundWork::WaitIdle(unsigned milliseconds) { return settled_.WaitFor(milliseconds); }

void BackgroundWork::Run(void* p) {
  BackgroundWork* work = static_cast<BackgroundWork*>(p);
  for (;;) {
    work->wake_.WaitFor(kLongSleepMilliseconds);
    work->wake_.Reset();
    {
      MutexLock lock(work->mutex_);
      if (work->stopping_) return;
      if (!work->pending_) continue;
      work->pending_ = false;
      work->running_ = true;
    }
    work->job_(work->argument_);
    MutexLock lock(work->mutex_);
    work->running_ = false;
    if (!work->pending_) work->settled_.Set();
  }
}

}  // namespace marvella
