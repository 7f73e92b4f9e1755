// Test entry point shared by every GoogleTest program, native and under Wine.
#include <gtest/gtest.h>

#include "tests/support/TestProcess.h"

int main(int argc, char** argv) {
  marvella::test::PrepareTestProcess();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
