// MonotonicMs on Windows: the tick count every version has (the runtime's steady clock
// would import calls that Windows 95 and NT 4 lack).
#include <windows.h>

#include "common/MonotonicClock.h"

namespace marvella {

std::uint32_t MonotonicMs() { return GetTickCount(); }

}  // namespace marvella
