// MessageSink as the installer's message boxes, owned by a window (the wizard, once it runs).
#pragma once

#include <windows.h>

#include <string>

#include "common/MessageSink.h"

namespace marvella {

class MessageBoxSink final : public MessageSink {
 public:
  explicit MessageBoxSink(HWND owner = nullptr) : owner_(owner) {}

  void SetOwner(HWND owner) { owner_ = owner; }
  HWND Owner() const { return owner_; }

  MessageAnswer ShowMessage(unsigned stringId, const char* text,
                            const MessageStyle& style) override;

 private:
  HWND owner_;
};

// The caption of the installer's own boxes: the file name of the running program.
std::string ProgramFileName();

}  // namespace marvella
