// What a test process sets up before its tests run (platform specific).
#pragma once

namespace marvella::test {
void PrepareTestProcess();
}
