// MonotonicMs on Windows: the tick count.
#include <windows.h>

#include "common/MonotonicClock.h"

namespace marvella {

std::uint32_t MonotonicMs() { return GetTickCount(); }

}  // namespace marvella
