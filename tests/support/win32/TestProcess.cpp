#include "tests/support/TestProcess.h"

#include <windows.h>

namespace marvella::test {
// A crashing test must fail, not wait on a dialog nobody sees.
void PrepareTestProcess() {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
}
}  // namespace marvella::test
