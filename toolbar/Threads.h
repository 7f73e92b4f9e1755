// Locks, wake-up events and threads for the toolbar's background work (download worker,
// mail polling). One implementation per platform: Win32 objects in the library, POSIX
// threads natively, so the same queue and checker code is tested in both trees.
#pragma once

#include <cstddef>

namespace marvella {

// A non-recursive lock.
class Mutex {
 public:
  Mutex();
  ~Mutex();
  Mutex(const Mutex&) = delete;
  Mutex& operator=(const Mutex&) = delete;
  void Lock();
  void Unlock();

 private:
  alignas(16) unsigned char storage_[64];
};

class MutexLock {
 public:
  explicit MutexLock(Mutex& mutex) : mutex_(mutex) { mutex_.Lock(); }
  ~MutexLock() { mutex_.Unlock(); }
  MutexLock(const MutexLock&) = delete;
  MutexLock& operator=(const MutexLock&) = delete;

 private:
  Mutex& mutex_;
};

// A flag that one thread raises and another waits for, with a time limit. Once set it stays
// set until reset: it is how an owner tells its thread to end, at once rather than after a
// long sleep, or to do its work now.
class Event {
 public:
  Event();
  ~Event();
  Event(const Event&) = delete;
  Event& operator=(const Event&) = delete;
  void Set();
  // Lowers the flag. A waiter resets before it looks at what it was woken for, so a Set
  // that comes meanwhile is never lost.
  void Reset();
  // Waits until the event is set or the time has passed; true when it is set.
  bool WaitFor(unsigned milliseconds);

 private:
  alignas(16) unsigned char storage_[128];
};

// A thread that its owner joins before letting go of what the thread uses.
class Thread {
 public:
  Thread();
  ~Thread();  // joins a thread that is still running
  Thread(const Thread&) = delete;
  Thread& operator=(const Thread&) = delete;
  // Runs run(argument) on a new thread with the default stack size; false when none started.
  bool Start(void (*run)(void*), void* argument);
  bool Started() const { return started_; }
  // Waits for the thread to end. Nothing happens when none was started.
  void Join();

 private:
  bool started_ = false;
  alignas(16) unsigned char storage_[16];
};

// Runs run(argument) on a new thread that nobody joins (it ends when run returns); false
// when no thread could be started.
bool StartDetachedThread(void (*run)(void*), void* argument);

// Threads started here (joined or detached) that have not ended yet. A thread leaves the
// count at its very end: on Windows it holds a reference to the module that contains this
// code and leaves through FreeLibraryAndExitThread, so once the count reads 0 the module
// can be unloaded without pulling code from under one of them.
std::size_t RunningThreads();

}  // namespace marvella
