// The waits the system makes on purpose (after dialling, before hanging up). Windows sleeps
// them; tests record them instead of spending them.
#pragma once

namespace marvella {

class Sleeper {
 public:
  virtual ~Sleeper() = default;
  virtual void Sleep(unsigned milliseconds) = 0;
};

}  // namespace marvella
