// Downloads with WinINet, the way the toolbar fetches everything: synchronous calls on the
// download worker, bypassing the browser cache, each body first complete in a temporary
// file before it replaces its destination.
#pragma once

#include "toolbar/Fetcher.h"
#include "toolbar/HttpBody.h"

#include <windows.h>
#include <wininet.h>

#include <cstddef>

namespace marvella {

// Every download's terms unless its client asks for less.
constexpr DownloadTerms kPlainDownload = {kLargestBody, nullptr};

// Fetches url into a new zero-filled buffer (free it with FreeDownload). Fails when the
// machine is not on line, the host does not answer in time, the status is 300 or above,
// the length header is unusable or above terms.largestBody, a read fails, a body with a
// length header ends before that length, a body without one goes on past
// kBodyWithoutLength (HttpBody.h), the transfer is abandoned or takes too long.
bool DownloadToMemory(HINTERNET internet, const char* url, const DownloadTerms& terms, char** bytes,
                      DWORD* size);
void FreeDownload(char* bytes);

// Fetches url and, when the body is not empty, writes it to a new "TNB" temporary file and
// copies that onto destination. True only when destination now holds the body; otherwise
// destination is as it was.
bool DownloadToFile(HINTERNET internet, const char* url, const char* destination,
                    const DownloadTerms& terms = kPlainDownload);

class WinInetFetcher : public Fetcher {
 public:
  InternetHandle OpenInternet(const char* agent, const char* proxy) override;
  void CloseInternet(InternetHandle handle) override;
  bool DownloadToFile(InternetHandle handle, const char* url, const char* destination,
                      const DownloadTerms& terms) override;
};

}  // namespace marvella
