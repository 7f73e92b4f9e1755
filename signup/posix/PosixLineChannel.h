// LineChannel over BSD sockets, for the native build (tests, benchmarks, tools).
#pragma once

#include "signup/LineChannel.h"

namespace marvella {

class PosixLineChannel final : public LineChannel {
 public:
  PosixLineChannel() = default;
  ~PosixLineChannel() override { Close(); }
  PosixLineChannel(const PosixLineChannel&) = delete;
  PosixLineChannel& operator=(const PosixLineChannel&) = delete;

  bool Connect(const char* address, uint16_t port, unsigned timeoutMs) override;
  void Send(const char* data, size_t length) override;
  ReceiveResult Receive(char* buffer, size_t capacity, unsigned waitMs) override;
  void Close() override;

 private:
  int fd_ = -1;
};

}  // namespace marvella
