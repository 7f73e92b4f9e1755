// A plain WinINet GET for Win32 tests: the reference service's admin addresses and pages
// read as any client reads them.
#pragma once

#include <string>

namespace marvella::test {

// The body of `url`, fetched anew (no cache read or written); what arrived when it fails.
std::string HttpGet(const std::string& url);

}  // namespace marvella::test
