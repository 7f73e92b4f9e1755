// Reply item lists from hostile text: splitting, line-break removal and applying to both
// records never fail, and keep their invariants.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "signup/RecordEncoding.h"

using namespace marvella;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);

  // Joining the items with ";" gives the text back whenever it had a ";".
  ItemList items = SplitItems(text);
  if (text.find(';') == std::string_view::npos) {
    if (!items.empty()) std::abort();
  } else {
    std::string joined;
    for (size_t i = 0; i < items.size(); ++i) joined += (i ? ";" : "") + items[i];
    if (joined != text) std::abort();
  }

  std::string stripped = StripLineBreaks(text);
  if (stripped.find_first_of("\r\n") != std::string::npos) std::abort();

  AccountRecord account;
  account.profileName = "Marvella";
  ApplyAccountItems(SplitItems(stripped), account);
  if (account.profileName != "Marvella" || !account.dialPrefix.empty()) std::abort();

  UserRecord user;
  user.password = "secret";
  user.alta = "1";
  user.friendid = "f";
  ApplyUserItems(text, user);
  if (user.password != "secret" || user.alta != "1" || user.friendid != "f") std::abort();

  // Whatever came back encodes into one line that ends with CR LF.
  std::string line = EncodeUserInfo(user);
  if (line.compare(0, 9, "USERINFO ") != 0 || line.size() < 11 ||
      line.compare(line.size() - 2, 2, "\r\n") != 0)
    std::abort();
  return 0;
}
