// POSIX threads behind Threads.h for the native tree (unit tests, sanitizers, benchmarks).
#include "toolbar/Threads.h"

#include <pthread.h>
#include <time.h>

#include <atomic>
#include <new>

namespace marvella {
namespace {

struct EventState {
  pthread_mutex_t mutex;
  pthread_cond_t cond;
  bool set;
};

struct Start {
  void (*run)(void*);
  void* argument;
};

std::atomic<std::size_t> g_running{0};

void* Trampoline(void* p) {
  Start start = *static_cast<Start*>(p);
  delete static_cast<Start*>(p);
  start.run(start.argument);
  g_running.fetch_sub(1, std::memory_order_acq_rel);
  return nullptr;
}

bool Spawn(void (*run)(void*), void* argument, pthread_t* out) {
  Start* start = new (std::nothrow) Start{run, argument};
  if (!start) return false;
  g_running.fetch_add(1, std::memory_order_acq_rel);
  if (pthread_create(out, nullptr, Trampoline, start) != 0) {
    g_running.fetch_sub(1, std::memory_order_acq_rel);
    delete start;
    return false;
  }
  return true;
}

}  // namespace

static_assert(sizeof(pthread_mutex_t) <= 64, "Mutex storage");
static_assert(sizeof(EventState) <= 128, "Event storage");
static_assert(sizeof(pthread_t) <= 16, "Thread storage");

Mutex::Mutex() { pthread_mutex_init(reinterpret_cast<pthread_mutex_t*>(storage_), nullptr); }
Mutex::~Mutex() { pthread_mutex_destroy(reinterpret_cast<pthread_mutex_t*>(storage_)); }
void Mutex::Lock() { pthread_mutex_lock(reinterpret_cast<pthread_mutex_t*>(storage_)); }
void Mutex::Unlock() { pthread_mutex_unlock(reinterpret_cast<pthread_mutex_t*>(storage_)); }

Event::Event() {
  EventState* s = new (storage_) EventState;
  pthread_mutex_init(&s->mutex, nullptr);
  pthread_condattr_t attr;
  pthread_condattr_init(&attr);
  pthread_condattr_setclock(&attr, CLOCK_MONOTONIC);
  pthread_cond_init(&s->cond, &attr);
  pthread_condattr_destroy(&attr);
  s->set = false;
}

Event::~Event() {
  EventState* s = reinterpret_cast<EventState*>(storage_);
  pthread_cond_destroy(&s->cond);
  pthread_mutex_destroy(&s->mutex);
}

void Event::Set() {
  EventState* s = reinterpret_cast<EventState*>(storage_);
  pthread_mutex_lock(&s->mutex);
  s->set = true;
  pthread_cond_broadcast(&s->cond);
  pthread_mutex_unlock(&s->mutex);
}

void Event::Reset() {
  EventState* s = reinterpret_cast<EventState*>(storage_);
  pthread_mutex_lock(&s->mutex);
  s->set = false;
  pthread_mutex_unlock(&s->mutex);
}

bool Event::WaitFor(unsigned milliseconds) {
  EventState* s = reinterpret_cast<EventState*>(storage_);
  timespec until;
  clock_gettime(CLOCK_MONOTONIC, &until);
  until.tv_sec += milliseconds / 1000;
  until.tv_nsec += static_cast<long>(milliseconds % 1000) * 1000000L;
  if (until.tv_nsec >= 1000000000L) {
    until.tv_sec += 1;
    until.tv_nsec -= 1000000000L;
  }
  pthread_mutex_lock(&s->mutex);
  while (!s->set) {
    if (pthread_cond_timedwait(&s->cond, &s->mutex, &until) != 0) break;
  }
  bool set = s->set;
  pthread_mutex_unlock(&s->mutex);
  return set;
}

Thread::Thread() = default;
Thread::~Thread() { Join(); }

bool Thread::Start(void (*run)(void*), void* argument) {
  if (started_) return false;
  started_ = Spawn(run, argument, reinterpret_cast<pthread_t*>(storage_));
  return started_;
}

void Thread::Join() {
  if (!started_) return;
  pthread_join(*reinterpret_cast<pthread_t*>(storage_), nullptr);
  started_ = false;
}

std::size_t RunningThreads() { return g_running.load(std::memory_order_acquire); }

bool StartDetachedThread(void (*run)(void*), void* argument) {
  pthread_t thread;
  if (!Spawn(run, argument, &thread)) return false;
  pthread_detach(thread);
  return true;
}

}  // namespace marvella
