// A message sink that records what would have been shown, for tests.
#pragma once

#include <string>
#include <vector>

#include "common/MessageSink.h"

namespace marvella::test {

struct ShownMessage {
  unsigned stringId;
  std::string text;
  MessageStyle style;
};

class RecordingMessageSink final : public MessageSink {
 public:
  MessageAnswer ShowMessage(unsigned stringId, const char* text,
                            const MessageStyle& style) override {
    shown.push_back(ShownMessage{stringId, text, style});
    return answer;
  }

  std::vector<ShownMessage> shown;
  MessageAnswer answer = MessageAnswer::kOk;
};

}  // namespace marvella::test
