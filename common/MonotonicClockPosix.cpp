// MonotonicMs for the native build.
#include <chrono>

#include "common/MonotonicClock.h"

namespace marvella {

std::uint32_t MonotonicMs() {
  auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

}  // namespace marvella
