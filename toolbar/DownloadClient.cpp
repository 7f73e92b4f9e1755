// Base of every fetching object of the toolbar.
#include "toolbar/DownloadClient.h"

namespace marvella {

DownloadClient::DownloadClient(DownloadQueue& queue, const char* agent, const char* proxy,
                               bool ownHandle)
    : queue_(queue) {
  session_ = queue_.AcquireSession(agent, proxy, ownHandle);
}

DownloadClient::~DownloadClient() { Close(); }

void DownloadClient::Close() {
  if (closed_) return;
  closed_ = true;
  queue_.CloseClient(*this);
}

}  // namespace marvella
