// The wait cursor shown while a conversation blocks the user-interface thread.
#pragma once

#include <windows.h>

#include "signup/WaitIndicator.h"

namespace marvella {

class WaitCursor final : public WaitIndicator {
 public:
  void BeginWait() override;
  void RestoreWait() override;
  void EndWait() override;

 private:
  HCURSOR previous_ = nullptr;
  int depth_ = 0;
};

}  // namespace marvella
