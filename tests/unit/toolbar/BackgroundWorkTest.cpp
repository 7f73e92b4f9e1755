// Work asked of a thread: requests made while the job runs come to one more run, and the
// owner's stop waits for a run in progress, after which a request starts a new thread; the
// work settles only when the last run asked for has ended. Requests from many threads at
// once start one thread, and a stop cancels the run in progress instead of waiting it out.
#include "toolbar/BackgroundWork.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

using marvella::BackgroundWork;
using marvella::Event;

namespace {

struct Job {
  static void Run(void* p) {
    Job* job = static_cast<Job*>(p);
    if (job->runs.fetch_add(1) == 0) {
      job->inside.Set();
      job->release.WaitFor(60000);
    }
  }
  std::atomic<int> runs{0};
  Event inside, release;
};

// A long job that ends early once its work is cancelled.
struct CancellableJob {
  static void Run(void* p) {
    CancellableJob* job = static_cast<CancellableJob*>(p);
    job->inside.Set();
    for (int step = 0; step < 60000 && !job->work->Cancelled(); ++step)
      job->never.WaitFor(1);
    job->sawCancel = job->work->Cancelled();
  }
  BackgroundWork* work = nullptr;
  Event inside, never;
  std::atomic<bool> sawCancel{false};
};

}  // namespace

TEST(BackgroundWork, RequestsDuringARunComeToOneMoreAndStopWaitsForTheRun) {
  Job job;
  {
    BackgroundWork work(&Job::Run, &job);
    EXPECT_TRUE(work.WaitIdle(0));
    ASSERT_TRUE(work.Request());
    ASSERT_TRUE(job.inside.WaitFor(60000));
    EXPECT_FALSE(work.WaitIdle(0));
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(work.Request());
    job.release.Set();
    EXPECT_TRUE(work.WaitIdle(60000));
    EXPECT_EQ(2, job.runs.load());
    work.Stop();
    EXPECT_EQ(2, job.runs.load());
    EXPECT_TRUE(work.Request());  // a new thread after the stop
    EXPECT_TRUE(work.WaitIdle(60000));
    EXPECT_EQ(3, job.runs.load());
  }
  EXPECT_EQ(3, job.runs.load());
}

TEST(BackgroundWork, RequestsFromManyThreadsStartOneThreadAndAStopCancelsTheRun) {
  Job job;
  job.release.Set();
  BackgroundWork work(&Job::Run, &job);
  for (int round = 0; round < 50; ++round) {
    // After a stop, several threads (the window's, the download worker's) ask at once.
    std::atomic<int> ready{0};
    std::atomic<bool> go{false};
    std::vector<std::thread> askers;
    for (int i = 0; i < 4; ++i)
      askers.emplace_back([&] {
        ++ready;
        while (!go.load()) {
        }
        EXPECT_TRUE(work.Request());
      });
    while (ready.load() < 4) std::this_thread::yield();
    go.store(true);
    for (std::thread& t : askers) t.join();
    ASSERT_TRUE(work.WaitIdle(60000));
    ASSERT_EQ(1u, marvella::RunningThreads()) << "round " << round;
    work.Stop();
    ASSERT_EQ(0u, marvella::RunningThreads()) << "round " << round;
  }

  CancellableJob slow;
  BackgroundWork cancellable(&CancellableJob::Run, &slow);
  slow.work = &cancellable;
  ASSERT_TRUE(cancellable.Request());
  ASSERT_TRUE(slow.inside.WaitFor(60000));
  cancellable.Stop();  // returns once the job has seen the flag, not after its minute
  EXPECT_TRUE(slow.sawCancel.load());
  EXPECT_FALSE(cancellable.Cancelled());  // a new run is not cancelled
  slow.inside.Reset();
  ASSERT_TRUE(cancellable.Request());
  ASSERT_TRUE(slow.inside.WaitFor(60000));
  EXPECT_FALSE(cancellable.Cancelled());
}
