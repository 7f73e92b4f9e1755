// The handle owner: every handle it is given is closed exactly once, whatever moves and
// resets it goes through, and a handle given up is not closed at all.
#include "common/win32/Owned.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace marvella {
namespace {

std::vector<int*> g_closed;
BOOL WINAPI RecordClose(int* handle) {
  g_closed.push_back(handle);
  return TRUE;
}
using Recorded = Owned<int*, &RecordClose>;

TEST(Owned, ClosesEachHandleOnceThroughMovesResetsAndRelease) {
  int a = 0, b = 0, c = 0, d = 0;
  g_closed.clear();
  {
    Recorded first(&a);
    Recorded second(std::move(first));  // one owner: only `second` closes a
    EXPECT_FALSE(first);
    EXPECT_EQ(&a, second.Get());
    Recorded third(&b);
    third = std::move(second);  // b closed now, a moves on
    EXPECT_EQ((std::vector<int*>{&b}), g_closed);
    third = std::move(third);  // moving onto itself keeps it
    EXPECT_EQ(&a, third.Get());
    third.Reset(&c);  // a closed, c owned
    Recorded given(&d);
    EXPECT_EQ(&d, given.Release());  // d is the caller's now
    given.Reset();
    EXPECT_EQ((std::vector<int*>{&b, &a}), g_closed);
  }
  EXPECT_EQ((std::vector<int*>{&b, &a, &c}), g_closed);
}

}  // namespace
}  // namespace marvella
