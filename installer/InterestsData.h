// The interests page's model: the two mailing questions, where the user connects from and
// the topics of interest, to and from the user record.
#pragma once

#include <cstddef>

#include "common/MessageSink.h"
#include "signup/UserRecord.h"

namespace marvella {

struct InterestRow {
  const char* code;  // in "clave"
  const char* topic;
  const char* caption;  // of its check box
};
constexpr size_t kInterestCount = 18;
extern const InterestRow InterestTable[kInterestCount];  // in code order

// The words of "dondeconect", in the order of their boxes: home, work, school, other.
constexpr size_t kConnectPlaceCount = 4;
extern const char* const kConnectPlaces[kConnectPlaceCount];

// What the page's controls hold. A question's answer is 's', 'n' or 0 when neither radio
// is selected.
struct InterestsForm {
  char news = 0;    // "enviarinfo"
  char others = 0;  // "infoexterna"
  bool places[kConnectPlaceCount] = {};
  bool topics[kInterestCount] = {};  // InterestTable order
};

// The page's first state, from the record.
InterestsForm InitInterests(const UserRecord& user);

// Next: copies the form into the record; false when a question is unanswered (its message
// shown).
bool ValidateInterests(const InterestsForm& form, UserRecord& user, MessageSink& messages);

}  // namespace marvella
