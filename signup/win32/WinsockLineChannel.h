// LineChannel over Windows Sockets 1.1 (wsock32). The installer's start-up has called
// WSAStartup with version 0x0101 (StartWinsock).
#pragma once

#include <windows.h>
#include <winsock.h>

#include "signup/LineChannel.h"

namespace marvella {

// Starts Windows Sockets 1.1; true when WSAStartup returned 0. Never shut down: the
// sockets live as long as the program.
bool StartWinsock();

class WinsockLineChannel final : public LineChannel {
 public:
  WinsockLineChannel() = default;
  ~WinsockLineChannel() override { Close(); }
  WinsockLineChannel(const WinsockLineChannel&) = delete;
  WinsockLineChannel& operator=(const WinsockLineChannel&) = delete;

  bool Connect(const char* address, uint16_t port, unsigned timeoutMs) override;
  void Send(const char* data, size_t length) override;
  ReceiveResult Receive(char* buffer, size_t capacity, unsigned waitMs) override;
  void Close() override;

 private:
  SOCKET socket_ = INVALID_SOCKET;
};

}  // namespace marvella
