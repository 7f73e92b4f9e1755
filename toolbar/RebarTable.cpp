// The table of filtered rebars.
#include "toolbar/RebarTable.h"

namespace marvella {

int RebarTable::Claim(void* rebar, void* owner, void* replaced, bool* filtering) {
  MutexLock lock(mutex_);
  if (filtering) *filtering = false;
  for (int i = 0; filtering && i < kEntries; ++i) {
    if (!entries_[i].inUse || entries_[i].rebar != rebar || entries_[i].owner) continue;
    entries_[i].owner = owner;
    *filtering = true;
    return i;
  }
  for (int i = 0; i < kEntries; ++i) {
    if (entries_[i].inUse) continue;
    entries_[i] = Entry{true, rebar, owner, replaced};
    return i;
  }
  return -1;
}

bool RebarTable::Find(void* rebar, Entry* out) {
  MutexLock lock(mutex_);
  for (const Entry& entry : entries_) {
    if (!entry.inUse || entry.rebar != rebar) continue;
    *out = entry;
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

bool RebarTable::ReleaseOrphan(void* rebar) {
  MutexLock lock(mutex_);
  for (Entry& entry : entries_) {
    if (!entry.inUse || entry.rebar != rebar || entry.owner) continue;
    entry = Entry{};
    return true;
  }
  return false;
}

}  // namespace marvella
