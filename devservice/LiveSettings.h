// Values of the portal that tests move while the service runs (mail count, tokens, the
// personal page shown, the newest toolbar version, the banner), guarded for every thread.
#pragma once

#include <mutex>
#include <string>
#include <string_view>

namespace devservice {

struct LiveValues {
  std::string mail = "0";            // WEBMAIL field: new messages
  std::string tokens = "100";        // TOKENS field
  std::string pagpers;               // PAGPERS field; empty: the visiting user's own page
  std::string lastVersion = "1.01";  // INTERN LastVersion of the bookmarks file
  int banner = 0;                    // 0: rotate; 1..N: always that banner
};

class LiveSettings {
 public:
  LiveValues Get();
  void Put(const LiveValues& values);
  // Sets one value by its admin name (mail, tokens, pagpers, lastversion, banner).
  // Values are raw texts so tests can serve odd ones ("4x", "abc"); line breaks and
  // double quotes are refused because they would break the page around them.
  bool Set(std::string_view key, std::string_view value, std::string* error);

 private:
  std::mutex mutex_;
  LiveValues values_;
};

}  // namespace devservice
