// The few socket operations the scripted server needs, and the product's line channel of
// the platform (BSD sockets natively, Winsock under Wine).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "signup/LineChannel.h"

namespace marvella::test {

using TestSocket = intptr_t;
constexpr TestSocket kNoSocket = -1;

// Starts the platform's sockets once (Windows Sockets 1.1 under Wine).
void StartTestSockets();

// A listening socket on 127.0.0.1 at an ephemeral port (written to *port).
TestSocket ListenOnLoopback(uint16_t* port, int backlog);
// Waits at most waitMs for a connection; kNoSocket when none came.
TestSocket AcceptConnection(TestSocket listener, unsigned waitMs);
// A client connection to 127.0.0.1:port made without waiting for it to complete.
TestSocket StartConnection(uint16_t port);
// Blocking send of all bytes (false when the peer is gone).
bool SendAll(TestSocket s, const char* data, size_t length);
// Waits at most waitMs, then one receive: >0 bytes, 0 closed, -1 failure or time-out.
long ReceiveSome(TestSocket s, char* buffer, size_t capacity, unsigned waitMs);
void CloseSocket(TestSocket s);
// A loopback port on which nothing listens.
uint16_t UnusedLoopbackPort();

// The product's line channel of this platform.
std::unique_ptr<LineChannel> MakePlatformChannel();

}  // namespace marvella::test
