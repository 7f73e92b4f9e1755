// Bounded formatting of messages before they reach a sink.
#include "common/MessageSink.h"

#include "common/BoundedText.h"

#include <cstdarg>

namespace marvella {

MessageAnswer ShowString(MessageSink& sink, unsigned stringId, const MessageStyle& style,
                         const char* format, ...) {
  char text[kMessageCapacity];
  va_list args;
  va_start(args, format);
  FormatBoundedArgs(text, sizeof text, format, args);
  va_end(args);
  return sink.ShowMessage(stringId, text, style);
}

}  // namespace marvella
