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
    pending_ = true;
    settled_.Reset();
  }
  if (!thread_.Started() && !thread_.Start(&BackgroundWork::Run, this)) {
    MutexLock lock(mutex_);
    pending_ = false;
    if (!running_) settled_.Set();
    return false;
  }
  wake_.Set();
  return true;
}

void BackgroundWork::Stop() {
  if (!thread_.Started()) return;
  {
    MutexLock lock(mutex_);
    stopping_ = true;
  }
  wake_.Set();
  thread_.Join();
  MutexLock lock(mutex_);
  stopping_ = false;
  pending_ = false;
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
