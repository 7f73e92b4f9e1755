// Downloads with WinINet, the way the toolbar fetches everything: synchronous calls on the
// download worker, bypassing the browser cache, each body first complete in a temporary
// file before it replaces its destination.
#pragma once

#include "toolbar/Fetcher.h"

#include <windows.h>
#include <wininet.h>

#include <cstddef>

namespace marvella {

// Fetches url into a new zero-filled buffer (free it with FreeDownload). Fails when the
// machine is not on line, the host does not answer, the status is 300 or above, the length
// header is unusable or above kLargestBody, a read fails, or a body with a length header
// ends before that length (HttpBody.h). Without a length header at most kBodyWithoutLength
// bytes are kept.
bool DownloadToMemory(HINTERNET internet, const char* url, char** bytes, DWORD* size);
void FreeDownload(char* bytes);

// Fetches url and, when the body is not empty, writes it to a new "TNB" temporary file and
// copies that onto destination. True only when destination now holds the body; otherwise
// destination is as it was.
bool DownloadToFile(HINTERNET internet, const char* url, const char* destination);

class WinInetFetcher : public Fetcher {
 public:
  InternetHandle OpenInternet(const char* agent, const char* proxy) override;
  void CloseInternet(InternetHandle handle) override;
  bool DownloadToFile(InternetHandle handle, const char* url, const char* destination) override;
};

}  // namespace marvella
