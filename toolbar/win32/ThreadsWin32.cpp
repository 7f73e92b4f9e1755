// Win32 objects behind Threads.h: critical sections, events and CreateThread, all present
// on Windows 95 and NT 4 (std::mutex would pull in a threads library and exception code).
#include "toolbar/Threads.h"

#include <windows.h>

#include <new>

namespace marvella {
namespace {

struct Start {
  void (*run)(void*);
  void* argument;
};

DWORD WINAPI Trampoline(LPVOID p) {
  Start start = *static_cast<Start*>(p);
  delete static_cast<Start*>(p);
  start.run(start.argument);
  return 0;
}

HANDLE Spawn(void (*run)(void*), void* argument) {
  Start* start = new (std::nothrow) Start{run, argument};
  if (!start) return nullptr;
  DWORD id;  // Windows 95 wants somewhere to put the identifier
  HANDLE thread = CreateThread(nullptr, 0, Trampoline, start, 0, &id);
  if (!thread) delete start;
  return thread;
}

CRITICAL_SECTION* Section(unsigned char* storage) {
  return reinterpret_cast<CRITICAL_SECTION*>(storage);
}
HANDLE& Handle(unsigned char* storage) { return *reinterpret_cast<HANDLE*>(storage); }

}  // namespace

static_assert(sizeof(CRITICAL_SECTION) <= 64, "Mutex storage");

Mutex::Mutex() { InitializeCriticalSection(Section(storage_)); }
Mutex::~Mutex() { DeleteCriticalSection(Section(storage_)); }
void Mutex::Lock() { EnterCriticalSection(Section(storage_)); }
void Mutex::Unlock() { LeaveCriticalSection(Section(storage_)); }

// Manual reset: once set, every later wait returns at once.
Event::Event() { Handle(storage_) = CreateEventA(nullptr, TRUE, FALSE, nullptr); }
Event::~Event() {
  if (Handle(storage_)) CloseHandle(Handle(storage_));
}
void Event::Set() {
  if (Handle(storage_)) SetEvent(Handle(storage_));
}
bool Event::WaitFor(unsigned milliseconds) {
  if (!Handle(storage_)) {  // no event object: wait the time, never report a stop
    Sleep(milliseconds);
    return false;
  }
  return WaitForSingleObject(Handle(storage_), milliseconds) == WAIT_OBJECT_0;
}

Thread::Thread() = default;
Thread::~Thread() { Join(); }

bool Thread::Start(void (*run)(void*), void* argument) {
  if (started_) return false;
  Handle(storage_) = Spawn(run, argument);
  started_ = Handle(storage_) != nullptr;
  return started_;
}

void Thread::Join() {
  if (!started_) return;
  WaitForSingleObject(Handle(storage_), INFINITE);
  CloseHandle(Handle(storage_));
  started_ = false;
}

bool StartDetachedThread(void (*run)(void*), void* argument) {
  HANDLE thread = Spawn(run, argument);
  if (!thread) return false;
  CloseHandle(thread);
  return true;
}

}  // namespace marvella
