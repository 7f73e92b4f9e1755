// Test sockets over BSD sockets.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "signup/posix/PosixLineChannel.h"
#include "tests/unit/signup/TestSockets.h"

namespace marvella::test {

void StartTestSockets() {}

TestSocket ListenOnLoopback(uint16_t* port, int backlog) {
  int s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in sa{};
  sa.sin_family = AF_INET;
  sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (bind(s, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0 || listen(s, backlog) != 0) {
    close(s);
    return kNoSocket;
  }
  socklen_t len = sizeof sa;
  getsockname(s, reinterpret_cast<sockaddr*>(&sa), &len);
  *port = ntohs(sa.sin_port);
  return s;
}

TestSocket AcceptConnection(TestSocket listener, unsigned waitMs) {
  pollfd p{static_cast<int>(listener), POLLIN, 0};
  if (poll(&p, 1, static_cast<int>(waitMs)) != 1) return kNoSocket;
  int s = accept(static_cast<int>(listener), nullptr, nullptr);
  if (s < 0) return kNoSocket;
  int one = 1;
  setsockopt(s, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
  return s;
}

TestSocket StartConnection(uint16_t port) {
  int s = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
  sockaddr_in sa{};
  sa.sin_family = AF_INET;
  sa.sin_port = htons(port);
  sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  connect(s, reinterpret_cast<sockaddr*>(&sa), sizeof sa);
  return s;
}

bool SendAll(TestSocket s, const char* data, size_t length) {
  while (length > 0) {
    ssize_t n = send(static_cast<int>(s), data, length, MSG_NOSIGNAL);
    if (n <= 0) return false;
    data += n;
    length -= static_cast<size_t>(n);
  }
  return true;
}

long ReceiveSome(TestSocket s, char* buffer, size_t capacity, unsigned waitMs) {
  pollfd p{static_cast<int>(s), POLLIN, 0};
  if (poll(&p, 1, static_cast<int>(waitMs)) != 1) return -1;
  return static_cast<long>(recv(static_cast<int>(s), buffer, capacity, 0));
}

void CloseSocket(TestSocket s) {
  if (s != kNoSocket) close(static_cast<int>(s));
}

uint16_t UnusedLoopbackPort() {
  uint16_t port = 0;
  CloseSocket(ListenOnLoopback(&port, 1));
  return port;
}

std::unique_ptr<LineChannel> MakePlatformChannel() { return std::make_unique<PosixLineChannel>(); }

}  // namespace marvella::test
