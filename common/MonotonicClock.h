// Milliseconds of a clock that never goes back, for bounding waits. The count wraps around
// (about every 49 days): only differences of two readings mean anything.
#pragma once

#include <cstdint>

namespace marvella {

std::uint32_t MonotonicMs();

}  // namespace marvella
