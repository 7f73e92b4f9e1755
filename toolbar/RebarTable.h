// The process-wide table of rebars whose window procedure a toolbar has replaced: which
// rebar, the toolbar that owns the entry and the procedure to hand messages on to. Browser
// windows of one process run on threads of their own, so the table is locked.
//
// A toolbar that goes while another add-on has subclassed the rebar after it cannot give
// the rebar its procedure back: its filter stays in that chain. The entry then stays, with
// no owner, so the filter passes every message on to the procedure it replaced, until the
// rebar is destroyed; a toolbar that comes to the same rebar meanwhile takes it over.
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
    int index = -1;            // where Find found it
  };

  // With filtering: the entry of rebar left without owner, now owner's (*filtering set: the
  // filter is in the rebar's chain already). Else the first free entry; -1 when all are in
  // use (the toolbar then filters nothing).
  int Claim(void* rebar, void* owner, void* replaced, bool* filtering = nullptr);
  // The entry of rebar, copied; false when the rebar has none.
  bool Find(void* rebar, Entry* out);
  void Release(int index);
  // The owner goes but the filter stays in the rebar's chain: messages pass through.
  void Orphan(int index);

 private:
  Mutex mutex_;
  Entry entries_[kEntries];
};

}  // namespace marvella
