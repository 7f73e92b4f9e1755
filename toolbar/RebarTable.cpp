// The table of filtered rebars.
#include "toolbar/RebarTable.h"

namespace marvella {

int RebarTable::Claim(void* rebar, void* owner, void* replaced, bool* filtering) {
  MutexLock lock(mutex_);
  if (filtering) *filtering = false;
  int free = -1;
  for (int i = 0; i < kEntries; ++i) {
    Entry& entry = entries_[i];
    if (!entry.inUse) {
      if (free < 0) free = i;
    } else if (filtering && entry.rebar == rebar && !entry.owner) {
      entry.owner = owner;
      *filtering = true;
      return i;
    }
  }
  if (free >= 0) entries_[free] = Entry{true, rebar, owner, replaced};
  return free;
}

bool RebarTable::Find(void* rebar, Entry* out) {
  MutexLock lock(mutex_);
  for (int i = 0; i < kEntries; ++i) {
    if (!entries_[i].inUse || entries_[i].rebar != rebar) continue;
    *out = entries_[i];
    out->index = i;
    return true;
  }
  return false;
}

void RebarTable::Release(int index) {
  if (index < 0 || index >= kEntries) return;
  MutexLock lock(mutex_);
  entries_[index] = Entry{};
}

void RebarTable::Orphan(int index) {
  if (index < 0 || index >= kEntries) return;
  MutexLock lock(mutex_);
  entries_[index].owner = nullptr;
}


}  // namespace marvella
