// A plain WinINet GET for Win32 tests.
#include "tests/win32/support/HttpGet.h"

#include <windows.h>
#include <wininet.h>

namespace marvella::test {

std::string HttpGet(const std::string& url) {
  std::string body;
  HINTERNET net = InternetOpenA("test", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
  HINTERNET req = InternetOpenUrlA(net, url.c_str(), nullptr, 0,
                                   INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0);
  char chunk[4096];
  DWORD got = 0;
  while (req && InternetReadFile(req, chunk, sizeof chunk, &got) && got > 0)
    body.append(chunk, got);
  if (req) InternetCloseHandle(req);
  InternetCloseHandle(net);
  return body;
}

}  // namespace marvella::test
