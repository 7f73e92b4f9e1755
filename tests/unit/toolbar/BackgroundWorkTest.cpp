// Work asked of a thread: requests made while the job runs come to one more run, and the
// owner's stop waits for a run in progress, after which a request starts a new thread.
#include "toolbar/BackgroundWork.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

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

bool WaitForRuns(Job& job, int n) {
  for (int i = 0; i < 60000 && job.runs.load() < n; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  return job.runs.load() >= n;
}

}  // namespace

TEST(BackgroundWork, RequestsDuringARunComeToOneMoreAndStopWaitsForTheRun) {
  Job job;
  {
    BackgroundWork work(&Job::Run, &job);
    ASSERT_TRUE(work.Request());
    ASSERT_TRUE(job.inside.WaitFor(60000));
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(work.Request());
    job.release.Set();
    EXPECT_TRUE(WaitForRuns(job, 2));
    work.Stop();
    EXPECT_EQ(2, job.runs.load());
    EXPECT_TRUE(work.Request());  // a new thread after the stop
    EXPECT_TRUE(WaitForRuns(job, 3));
  }
  EXPECT_EQ(3, job.runs.load());
}
