// A stream connection to the user server: Winsock on Windows, BSD sockets natively, a
// scripted peer in tests. One channel carries one conversation at a time.
#pragma once

#include <cstddef>
#include <cstdint>

namespace marvella {

struct ReceiveResult {
  enum Status : unsigned char {
    kData,      // `count` bytes (at least 1) were stored
    kClosed,    // the peer closed the connection
    kTimedOut,  // nothing arrived within the wait
    kFailed,    // the connection broke or was never made
  };
  Status status;
  size_t count;
};

class LineChannel {
 public:
  virtual ~LineChannel() = default;

  // Creates a stream socket and connects it to `address` (dotted IPv4 text, converted as
  // inet_addr does; no name resolution) and `port` (host order). Gives up after timeoutMs.
  // Returns false when the connection cannot be made; the socket is then released.
  virtual bool Connect(const char* address, uint16_t port, unsigned timeoutMs) = 0;

  // One send call of `length` bytes. Whether it succeeded is not reported: a broken line
  // shows as an empty reply.
  virtual void Send(const char* data, size_t length) = 0;

  // Waits at most waitMs for data, then one receive of at most `capacity` bytes.
  virtual ReceiveResult Receive(char* buffer, size_t capacity, unsigned waitMs) = 0;

  // Releases the socket; harmless when there is none.
  virtual void Close() = 0;
};

}  // namespace marvella
