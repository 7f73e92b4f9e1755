// Linked into the three shipped binaries only. Product code is built without exceptions,
// yet the standard library's error paths (std::__throw_*, operator new's bad_alloc, the
// pure-virtual handler) would drag in the whole exception and unwinding runtime, and with
// it the posix-threads layer, which imports kernel32 functions that Windows 95, 98 and NT 4
// do not have (the loader then refuses the program). Here each of those paths ends the
// process instead, as an exception nobody catches would; the binaries also get smaller.
// Tests link the ordinary runtime.
#include <cstddef>
#include <cstdlib>
#include <new>

namespace {
[[noreturn]] void Fail() { std::abort(); }
}  // namespace

namespace std {
void __throw_bad_alloc() { Fail(); }
void __throw_bad_array_new_length() { Fail(); }
void __throw_bad_cast() { Fail(); }
void __throw_bad_function_call() { Fail(); }
void __throw_bad_typeid() { Fail(); }
void __throw_bad_exception() { Fail(); }
void __throw_logic_error(const char*) { Fail(); }
void __throw_domain_error(const char*) { Fail(); }
void __throw_invalid_argument(const char*) { Fail(); }
void __throw_length_error(const char*) { Fail(); }
void __throw_out_of_range(const char*) { Fail(); }
void __throw_out_of_range_fmt(const char*, ...) { Fail(); }
void __throw_runtime_error(const char*) { Fail(); }
void __throw_range_error(const char*) { Fail(); }
void __throw_overflow_error(const char*) { Fail(); }
void __throw_underflow_error(const char*) { Fail(); }
void __throw_system_error(int) { Fail(); }
void __throw_future_error(int) { Fail(); }
// A library assertion that fails (index out of range and the like).
void __glibcxx_assert_fail(const char*, int, const char*, const char*) noexcept { Fail(); }
}  // namespace std

void* operator new(std::size_t size) {
  void* p = std::malloc(size ? size : 1);
  if (!p) Fail();
  return p;
}
void* operator new[](std::size_t size) { return ::operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return std::malloc(size ? size : 1);
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }

extern "C" void __cxa_pure_virtual() { Fail(); }
