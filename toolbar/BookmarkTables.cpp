// The process-wide tables of the bookmarks file.
#include "toolbar/BookmarkTables.h"

#include <cstring>

namespace marvella {

BookmarkTables::BookmarkTables() {
  std::memset(&engines_, 0, sizeof engines_);
  std::memset(&portal_, 0, sizeof portal_);
  std::memset(&personalization_, 0, sizeof personalization_);
  std::memset(&internal_, 0, sizeof internal_);
}

void BookmarkTables::Store(const SearchEngineTable& engines,
                           const PersonalizationLinks& personalization, const PortalLinks& portal,
                           const InternalSettings& internal) {
  MutexLock lock(mutex_);
  engines_ = engines;
  personalization_ = personalization;
  portal_ = portal;
  internal_ = internal;
}

void BookmarkTables::CopySearchEngines(SearchEngineTable* out) {
  MutexLock lock(mutex_);
  *out = engines_;
}

void BookmarkTables::CopyPortalLinks(PortalLinks* out) {
  MutexLock lock(mutex_);
  *out = portal_;
}

void BookmarkTables::CopyPersonalizationLinks(PersonalizationLinks* out) {
  MutexLock lock(mutex_);
  *out = personalization_;
}

void BookmarkTables::CopyInternalSettings(InternalSettings* out) {
  MutexLock lock(mutex_);
  *out = internal_;
}

}  // namespace marvella
