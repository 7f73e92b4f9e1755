// Win32 objects behind Threads.h: critical sections, events and CreateThread, all present
// on Windows 95 and NT 4 (std::mutex would pull in a threads library and exception code).
#include "toolbar/Threads.h"

#include "common/win32/Owned.h"

#include <windows.h>

#include <new>

namespace marvella {
namespace {

struct Start {
  void (*run)(void*);
  void* argument;
  HMODULE module;  // the reference this thread holds on the module of this code, or null
};

volatile LONG g_running = 0;

// A reference on the module that holds this code (tandem.dll in the browser, the program in
// tests), so that the module stays mapped until the thread has left it, even when the
// browser unloads the library the moment the count below reaches 0. VirtualQuery and
// LoadLibrary, because Windows 95 has no GetModuleHandleEx.
HMODULE HoldOwnModule() {
  MEMORY_BASIC_INFORMATION memory;
  if (!VirtualQuery(reinterpret_cast<const void*>(&HoldOwnModule), &memory, sizeof memory))
    return nullptr;
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(static_cast<HMODULE>(memory.AllocationBase), path, sizeof path);
  if (n == 0 || n >= sizeof path) return nullptr;
  return LoadLibraryA(path);
}

DWORD WINAPI Trampoline(LPVOID p) {
  Start start = *static_cast<Start*>(p);
  delete static_cast<Start*>(p);
  start.run(start.argument);
  InterlockedDecrement(&g_running);
  // From here on only system code runs: the reference goes and the thread ends in one call.
  if (start.module) FreeLibraryAndExitThread(start.module, 0);
  return 0;
}

HANDLE Spawn(void (*run)(void*), void* argument) {
  Start* start = new (std::nothrow) Start{run, argument, nullptr};
  if (!start) return nullptr;
  OwnedModule module(HoldOwnModule());
  start->module = module.Get();
  InterlockedIncrement(&g_running);
  DWORD id;  // Windows 95 wants somewhere to put the identifier
  HANDLE thread = CreateThread(nullptr, 0, Trampoline, start, 0, &id);
  if (thread) {
    module.Release();  // the thread's now: it lets go in Trampoline
  } else {
    InterlockedDecrement(&g_running);
    delete start;
  }
  return thread;
}

CRITICAL_SECTION* Section(unsigned char* storage) {
  return reinterpret_cast<CRITICAL_SECTION*>(storage);
}
// The event's handle lives in its storage, made there by the constructor.
OwnedHandle& Owner(unsigned char* storage) { return *reinterpret_cast<OwnedHandle*>(storage); }
// The thread's, while it runs (Join takes it).
HANDLE& Handle(unsigned char* storage) { return *reinterpret_cast<HANDLE*>(storage); }

}  // namespace

static_assert(sizeof(CRITICAL_SECTION) <= 64, "Mutex storage");
static_assert(sizeof(OwnedHandle) <= 16, "Event and Thread storage");

Mutex::Mutex() { InitializeCriticalSection(Section(storage_)); }
Mutex::~Mutex() { DeleteCriticalSection(Section(storage_)); }
void Mutex::Lock() { EnterCriticalSection(Section(storage_)); }
void Mutex::Unlock() { LeaveCriticalSection(Section(storage_)); }

// Manual reset: once set, every later wait returns at once until Reset.
Event::Event() { new (storage_) OwnedHandle(CreateEventA(nullptr, TRUE, FALSE, nullptr)); }
Event::~Event() { Owner(storage_).~OwnedHandle(); }
void Event::Set() {
  if (Owner(storage_)) SetEvent(Owner(storage_).Get());
}
void Event::Reset() {
  if (Owner(storage_)) ResetEvent(Owner(storage_).Get());
}
bool Event::WaitFor(unsigned milliseconds) {
  if (!Owner(storage_)) {  // no event object: wait the time, never report a stop
    Sleep(milliseconds);
    return false;
  }
  return WaitForSingleObject(Owner(storage_).Get(), milliseconds) == WAIT_OBJECT_0;
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
  OwnedHandle thread(Handle(storage_));
  WaitForSingleObject(thread.Get(), INFINITE);
  started_ = false;
}

// An aligned 32-bit read is atomic on x86 (Windows 95 has no InterlockedExchangeAdd).
std::size_t RunningThreads() { return static_cast<std::size_t>(g_running); }

bool StartDetachedThread(void (*run)(void*), void* argument) {
  // Nobody waits for it: the handle goes at once, the thread runs on.
  return static_cast<bool>(OwnedHandle(Spawn(run, argument)));
}

}  // namespace marvella
