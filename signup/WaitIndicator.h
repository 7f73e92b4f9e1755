// What tells the user that a conversation is under way: the wait cursor on Windows.
#pragma once

namespace marvella {

class WaitIndicator {
 public:
  virtual ~WaitIndicator() = default;
  virtual void BeginWait() = 0;
  // Shows the wait again after something (a modal dialog) may have changed what is shown.
  virtual void RestoreWait() = 0;
  virtual void EndWait() = 0;
};

// Shows the wait for the lifetime of a scope.
class ScopedWait {
 public:
  explicit ScopedWait(WaitIndicator& indicator) : indicator_(indicator) { indicator_.BeginWait(); }
  ~ScopedWait() { indicator_.EndWait(); }
  void Restore() { indicator_.RestoreWait(); }
  ScopedWait(const ScopedWait&) = delete;
  ScopedWait& operator=(const ScopedWait&) = delete;

 private:
  WaitIndicator& indicator_;
};

}  // namespace marvella
