// Work asked of a thread: requests made while the job runs come to one more run, and the
// owner's stop waits for a run in progress, after which a request starts a new thread; the
// work settles only when the last run asked for has ended.
#include "toolbar/BackgroundWork.h"

#include <gtest/gtest.h>

#include <atomic>

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
