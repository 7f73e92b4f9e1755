// Where long operations report what they are doing: the installer's progress box, or a
// recorder in tests. Lines are single-byte text (code page 1252) without a line break.
#pragma once

namespace marvella {

class ProgressSink {
 public:
  virtual ~ProgressSink() = default;
  virtual void AppendProgressLine(const char* line) = 0;
};

}  // namespace marvella
