#include "tests/support/TestProcess.h"

namespace marvella::test {
void PrepareTestProcess() {}
}  // namespace marvella::test
