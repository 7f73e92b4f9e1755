// Milliseconds from a clock that never goes back, for bounds on waits. On Windows it is the
// system tick count: the standard library's steady clock would bring in the threads
// runtime, whose imports Windows 95 and NT 4 lack.
#pragma once

#include <cstdint>

namespace marvella {

// Wraps around every 2^32 ms; compare by unsigned difference only.
std::uint32_t MonotonicMs();

}  // namespace marvella
