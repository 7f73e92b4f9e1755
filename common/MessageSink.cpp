// Bounded formatting of messages before they reach a sink.
#include "common/MessageSink.h"

#include <cstdarg>
#include <cstdio>

namespace marvella {

MessageAnswer ShowString(MessageSink& sink, unsigned stringId, const MessageStyle& style,
                         const char* format, ...) {
  char text[kMessageCapacity];
  text[0] = '\0';
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  // Some C runtimes leave a cut text unterminated; the zero is put in either way.
  text[sizeof text - 1] = '\0';
  return sink.ShowMessage(stringId, text, style);
}

}  // namespace marvella
