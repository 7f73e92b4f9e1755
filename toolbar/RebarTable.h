// The process-wide table of rebars whose window procedure a toolbar has replaced: which
// rebar, the toolbar that owns the entry and the procedure to hand messages on to. Browser
// windows of one process run on threads of their own, so the table is locked.
#pragma once

#include "toolbar/Threads.h"

namespace marvella {

class RebarTable {
 public:
  static constexpr int kEntries = 64;
  struct Entry {
    bool inUse = false;
    void* rebar = nullptr;
    void* owner = nullptr;
    void* replaced = nullptr;  // the rebar's own procedure
  };

  // Takes the first free entry; -1 when all are in use (the toolbar then filters nothing).
  int Claim(void* rebar, void* owner, void* replaced);
  // The entry of rebar, copied; false when the rebar has none.
  bool Find(void* rebar, Entry* out);
  void Release(int index);

 private:
  Mutex mutex_;
  Entry entries_[kEntries];
};

}  // namespace marvella
