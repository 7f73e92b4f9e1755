// The text forms of the records on the user-server line: the USERINFO line and the item
// lists of the replies.
#pragma once

#include <string>
#include <string_view>

#include "signup/AccountRecord.h"
#include "signup/ItemList.h"
#include "signup/UserRecord.h"

namespace marvella {

// The whole USERINFO line, CR LF included: "USERINFO " and "key=value;" for every non-empty
// field in the new-user order (alta "1") or the current-user order, ";", CR and LF in values
// replaced by a blank. Nothing else is escaped; there is no length limit.
std::string EncodeUserInfo(const UserRecord& record);

// The text without any CR or LF byte.
std::string StripLineBreaks(std::string_view text);

// The texts between ";" separators. The text after the last ";" is the last item (even when
// empty); a text without any ";" gives no items at all.
ItemList SplitItems(std::string_view text);

// Applies "key=value" items (key before the first "=", case-sensitive) to the account
// fields userid, pass, dialupnum, dns1, dns2, idwebmail, pagpers, smtp; later items win.
void ApplyAccountItems(const ItemList& items, AccountRecord& account);

// Splits `text` with SplitItems (line breaks stay) and applies the items to the user fields
// the server may set. "password", "alta", "phone" and "friendid" never come from a reply.
void ApplyUserItems(std::string_view text, UserRecord& record);

}  // namespace marvella
