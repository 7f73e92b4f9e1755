// The download queue's rules with a recording fetcher: one worker while requests wait, first
// in first out, the head duplicate check, requests of closed clients skipped, and the shared
// Internet session. The threaded cases run real threads (ThreadSanitizer tree too).
#include "toolbar/DownloadClient.h"

#include "tests/unit/toolbar/ToolbarFakes.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

using marvella::DownloadClient;
using marvella::DownloadQueue;
using marvella::Event;
using marvella::InternetHandle;
using marvella::testing::JoiningStarter;
using marvella::testing::ManualStarter;
using marvella::testing::RecordingFetcher;

namespace {

class Client : public DownloadClient {
 public:
  explicit Client(DownloadQueue& queue, bool own = false)
      : DownloadClient(queue, "Tandem Marvella", nullptr, own) {}
  void Get(const std::string& url, const std::string& file) {
    QueueDownload(url.c_str(), file.c_str());
  }
  using DownloadClient::Close;
};

std::vector<std::string> Urls(RecordingFetcher& fetcher) {
  std::vector<std::string> urls;
  for (auto& d : fetcher.Downloads()) urls.push_back(d.url);
  return urls;
}

// "url > destination" of every download served.
std::vector<std::string> Served(RecordingFetcher& fetcher) {
  std::vector<std::string> served;
  for (auto& d : fetcher.Downloads()) served.push_back(d.url + " > " + d.destination);
  return served;
}

// The queue is idle (nothing waits, no worker runs) when the next request needs a worker
// of its own. The probe's client goes at once, so its request is never served.
template <typename Starter>
bool NextRequestStartsAWorker(DownloadQueue& queue, Starter& starter) {
  int before = starter.starts;
  {
    Client probe(queue);
    probe.Get("http://h/probe", "probe");
  }
  return starter.starts == before + 1;
}

}  // namespace

TEST(DownloadQueue, OneWorkerServesTheRequestsInOrderAndEndsWhenTheQueueIsEmpty) {
  RecordingFetcher fetcher;
  ManualStarter starter;
  DownloadQueue queue(fetcher, starter);
  Client a(queue), b(queue);
  a.Get("http://h/1", "f1");
  b.Get("http://h/2", "f2");
  a.Get("http://h/3", "f3");
  EXPECT_EQ(1, starter.starts);  // a worker only for the first request
  EXPECT_FALSE(NextRequestStartsAWorker(queue, starter));
  starter.RunAll();
  EXPECT_EQ((std::vector<std::string>{"http://h/1", "http://h/2", "http://h/3"}), Urls(fetcher));
  EXPECT_TRUE(a.LastResult());
  a.Get("http://h/4", "f4");  // an empty queue starts a new worker
  EXPECT_EQ(2, starter.starts);
  starter.RunAll();
}

TEST(DownloadQueue, TheSameDownloadAtTheHeadIsNotQueuedAgain) {
  RecordingFetcher fetcher;
  ManualStarter starter;
  DownloadQueue queue(fetcher, starter);
  Client a(queue), b(queue);
  a.Get("http://h/cfg", "cfg");
  b.Get("http://h/cfg", "cfg");  // the head: served anyway
  a.Get("http://h/cfg", "other");  // same URL, other file
  a.Get("http://h/cfg2", "cfg");   // same file, other URL
  starter.RunAll();
  EXPECT_EQ((std::vector<std::string>{"http://h/cfg > cfg", "http://h/cfg > other",
                                      "http://h/cfg2 > cfg"}),
            Served(fetcher));

  a.Get("http://h/x", "x");
  a.Get("http://h/cfg", "cfg");
  a.Get("http://h/cfg", "cfg");  // not at the head: queued twice
  starter.RunAll();
  auto served = Served(fetcher);
  EXPECT_EQ((std::vector<std::string>{"http://h/x > x", "http://h/cfg > cfg",
                                      "http://h/cfg > cfg"}),
            std::vector<std::string>(served.begin() + 3, served.end()));
}

TEST(DownloadQueue, ResultAndBusyCountBelongToTheRequestingClient) {
  RecordingFetcher fetcher;
  ManualStarter starter;
  DownloadQueue queue(fetcher, starter);
  Client a(queue), b(queue);
  fetcher.resultByUrl["http://h/bad"] = false;
  std::vector<std::pair<int, int>> busy;
  fetcher.during = [&](const RecordingFetcher::Download&) {
    busy.push_back({a.BusyCount(), b.BusyCount()});
  };
  a.Get("http://h/good", "g");
  b.Get("http://h/bad", "b");
  starter.RunAll();
  EXPECT_EQ((std::vector<std::pair<int, int>>{{1, 0}, {0, 1}}), busy);
  EXPECT_EQ(0, a.BusyCount());
  EXPECT_EQ(0, b.BusyCount());
  EXPECT_TRUE(a.LastResult());
  EXPECT_FALSE(b.LastResult());
}

TEST(DownloadQueue, ClosedClientsAreSkippedAndKeepNothing) {
  RecordingFetcher fetcher;
  ManualStarter starter;
  DownloadQueue queue(fetcher, starter);
  auto gone = std::make_unique<Client>(queue);
  Client stays(queue);
  gone->Get("http://h/1", "1");
  stays.Get("http://h/2", "2");
  gone->Get("http://h/3", "3");
  gone.reset();  // its requests stay in the queue, skipped
  EXPECT_FALSE(NextRequestStartsAWorker(queue, starter));
  starter.RunAll();
  EXPECT_EQ((std::vector<std::string>{"http://h/2"}), Urls(fetcher));
  EXPECT_TRUE(NextRequestStartsAWorker(queue, starter));
  starter.RunAll();
}

TEST(DownloadQueue, ACancelledHeadDoesNotSwallowTheSameRequestOfAnotherClient) {
  RecordingFetcher fetcher;
  ManualStarter starter;
  DownloadQueue queue(fetcher, starter);
  auto gone = std::make_unique<Client>(queue);
  Client other(queue);
  gone->Get("http://h/cfg", "cfg");
  gone.reset();
  other.Get("http://h/cfg", "cfg");
  starter.RunAll();
  EXPECT_EQ((std::vector<std::string>{"http://h/cfg"}), Urls(fetcher));
  EXPECT_TRUE(other.LastResult());
}

TEST(DownloadQueue, RequestsThatCannotBeServedFailAtOnce) {
  RecordingFetcher fetcher;
  ManualStarter starter;
  DownloadQueue queue(fetcher, starter);
  Client a(queue);
  starter.refuse = true;  // no worker thread
  a.Get("http://h/1", "1");
  EXPECT_FALSE(a.LastResult());

  starter.refuse = false;
  EXPECT_TRUE(NextRequestStartsAWorker(queue, starter));  // nothing kept the refused one
  starter.RunAll();
  a.Get("http://h/ok", "ok");
  starter.RunAll();
  ASSERT_TRUE(a.LastResult());
  a.Get("http://h/" + std::string(1020, 'u'), "long");  // URL of 1029 characters
  EXPECT_FALSE(a.LastResult());
  a.Get("http://h/ok", "ok");
  starter.RunAll();
  ASSERT_TRUE(a.LastResult());
  a.Get("http://h/x", std::string(260, 'p'));  // path of 260 characters
  EXPECT_FALSE(a.LastResult());
  a.Get("http://h/" + std::string(1014, 'u'), std::string(259, 'p'));  // both just fit
  starter.RunAll();
  EXPECT_EQ(1023u, fetcher.Downloads().back().url.size());
  auto urls = Urls(fetcher);  // the refused ones were never served
  EXPECT_EQ((std::vector<std::string>{"http://h/ok", "http://h/ok"}),
            std::vector<std::string>(urls.begin(), urls.end() - 1));
}

TEST(DownloadQueue, ClientsShareOneSessionClosedByTheLastOfThem) {
  RecordingFetcher fetcher;
  ManualStarter starter;
  DownloadQueue queue(fetcher, starter);
  auto a = std::make_unique<Client>(queue);
  auto b = std::make_unique<Client>(queue);
  auto own = std::make_unique<Client>(queue, true);
  EXPECT_EQ(2, fetcher.Opened());  // the shared session and the own one
  a->Get("http://h/a", "a");
  b->Get("http://h/b", "b");
  own->Get("http://h/o", "o");
  starter.RunAll();
  auto d = fetcher.Downloads();
  ASSERT_EQ(3u, d.size());
  EXPECT_EQ(d[0].handle, d[1].handle);
  EXPECT_NE(d[0].handle, d[2].handle);
  own.reset();
  EXPECT_EQ((std::vector<InternetHandle>{d[2].handle}), fetcher.Closed());
  a.reset();
  EXPECT_EQ(1u, fetcher.Closed().size());  // b still uses it
  b.reset();
  EXPECT_EQ((std::vector<InternetHandle>{d[2].handle, d[0].handle}), fetcher.Closed());
  Client next(queue);  // a new shared session
  EXPECT_EQ(3, fetcher.Opened());
}

TEST(DownloadQueue, TheFirstSessionOpenedIsSharedEvenWhenItsClientAskedForItsOwn) {
  RecordingFetcher fetcher;
  ManualStarter starter;
  DownloadQueue queue(fetcher, starter);
  Client own(queue, true);
  Client other(queue);
  EXPECT_EQ(1, fetcher.Opened());
}

// A toolbar closes while its download is on the wire: the transfer is told it is abandoned
// and ends with its session still open, its result goes nowhere, and the session closes
// after it.
TEST(DownloadQueue, ClosingDuringARunningDownloadWaitsForNothingAndDropsTheResult) {
  RecordingFetcher fetcher;
  JoiningStarter starter;
  DownloadQueue queue(fetcher, starter);
  Event started, release;
  std::atomic<int> closedDuring{-1}, abandonedBefore{-1}, abandonedAfter{-1};
  fetcher.during = [&](const RecordingFetcher::Download& d) {
    if (d.url != "http://h/slow") return;
    EXPECT_EQ(marvella::kLargestBody, d.largestBody);
    abandonedBefore = d.abandoned->load();
    started.Set();
    release.WaitFor(60000);
    abandonedAfter = d.abandoned->load();
    closedDuring = static_cast<int>(fetcher.Closed().size());
  };
  auto client = std::make_unique<Client>(queue);
  client->Get("http://h/slow", "s");
  client->Get("http://h/next", "n");
  ASSERT_TRUE(started.WaitFor(60000));
  client.reset();  // returns at once, although the download runs
  release.Set();
  starter.JoinAll();
  EXPECT_EQ(0, closedDuring.load());
  EXPECT_EQ(0, abandonedBefore.load());
  EXPECT_EQ(1, abandonedAfter.load());
  EXPECT_EQ(1u, fetcher.Closed().size());  // after the transfer
  EXPECT_EQ((std::vector<std::string>{"http://h/slow"}), Urls(fetcher));
  EXPECT_TRUE(NextRequestStartsAWorker(queue, starter));
  starter.JoinAll();  // the probe's worker, before the queue goes
}

// Many threads queue and close clients while the worker serves: every request of a live
// client is served once its turn comes, and nothing races (ThreadSanitizer).
TEST(DownloadQueue, QueueingFromManyThreadsWhileTheWorkerServes) {
  RecordingFetcher fetcher;
  JoiningStarter starter;
  DownloadQueue queue(fetcher, starter);
  constexpr int kThreads = 4, kRequests = 50;
  std::vector<std::thread> threads;
  std::vector<std::unique_ptr<Client>> keep(kThreads);
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      keep[t] = std::make_unique<Client>(queue);
      for (int i = 0; i < kRequests; ++i) {
        keep[t]->Get("http://h/" + std::to_string(t) + "/" + std::to_string(i), "f");
        if (i % 10 == 9) {  // a short-lived client too
          Client brief(queue);
          brief.Get("http://h/brief", "b");
        }
      }
    });
  }
  for (auto& t : threads) t.join();
  starter.JoinAll();
  for (int t = 0; t < kThreads; ++t) {
    int last = -1;
    for (auto& d : fetcher.Downloads()) {
      std::string prefix = "http://h/" + std::to_string(t) + "/";
      if (d.url.compare(0, prefix.size(), prefix) != 0) continue;
      int i = std::stoi(d.url.substr(prefix.size()));
      EXPECT_GT(i, last);  // in the order queued
      last = i;
    }
    EXPECT_EQ(kRequests - 1, last);
    EXPECT_TRUE(keep[t]->LastResult());
    EXPECT_EQ(0, keep[t]->BusyCount());
  }
  keep.clear();
  EXPECT_TRUE(NextRequestStartsAWorker(queue, starter));
  starter.JoinAll();
  EXPECT_EQ(static_cast<std::size_t>(fetcher.Opened()), fetcher.Closed().size());
}
