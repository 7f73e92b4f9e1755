// Where messages for the user go: message boxes on Windows, a recorder in tests. Field
// checks and page rules report through it, so a test sees exactly which string would appear,
// with which text and style.
#pragma once

#include <cstddef>

namespace marvella {

enum class MessageIcon : unsigned char { kWarning, kInformation, kError, kQuestion, kNone };
enum class MessageButtons : unsigned char { kOk, kOkCancel, kYesNo };
enum class MessageAnswer : unsigned char { kOk, kCancel, kYes, kNo };

// The installer's boxes are OK boxes with the warning icon and the program's file name as
// caption unless a message says otherwise.
struct MessageStyle {
  MessageButtons buttons = MessageButtons::kOk;
  MessageIcon icon = MessageIcon::kWarning;
  const char* caption = nullptr;  // null: the program's file name
};

class MessageSink {
 public:
  virtual ~MessageSink() = default;

  // Shows `text`: string-table entry `stringId` already formatted (0 for a text that is not
  // in the string table), in the given style. Returns the button the user pressed.
  virtual MessageAnswer ShowMessage(unsigned stringId, const char* text,
                                    const MessageStyle& style) = 0;
};

// Longest formatted message; longer ones are cut.
constexpr size_t kMessageCapacity = 1024;

// Formats `format` (printf style, single-byte texts) with the arguments into a text of at
// most kMessageCapacity - 1 characters and shows it through `sink`.
MessageAnswer ShowString(MessageSink& sink, unsigned stringId, const MessageStyle& style,
                         const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 4, 5)))
#endif
    ;

}  // namespace marvella
