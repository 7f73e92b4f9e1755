// Test sockets over Windows Sockets 1.1.
#include <windows.h>
#include <winsock.h>

#include "signup/win32/WinsockLineChannel.h"
#include "tests/unit/signup/TestSockets.h"

namespace marvella::test {
namespace {

SOCKET S(TestSocket s) { return static_cast<SOCKET>(s); }

bool WaitReadable(SOCKET s, unsigned waitMs) {
  fd_set set;
  FD_ZERO(&set);
  FD_SET(s, &set);
  timeval tv{static_cast<long>(waitMs / 1000), static_cast<long>((waitMs % 1000) * 1000)};
  return select(0, &set, nullptr, nullptr, &tv) == 1;
}

}  // namespace

void StartTestSockets() {
  static bool started = StartWinsock();
  (void)started;
}

TestSocket ListenOnLoopback(uint16_t* port, int backlog) {
  SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in sa = {};
  sa.sin_family = AF_INET;
  sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (bind(s, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0 || listen(s, backlog) != 0) {
    closesocket(s);
    return kNoSocket;
  }
  int len = sizeof sa;
  getsockname(s, reinterpret_cast<sockaddr*>(&sa), &len);
  *port = ntohs(sa.sin_port);
  return static_cast<TestSocket>(s);
}

TestSocket AcceptConnection(TestSocket listener, unsigned waitMs) {
  if (!WaitReadable(S(listener), waitMs)) return kNoSocket;
  SOCKET s = accept(S(listener), nullptr, nullptr);
  if (s == INVALID_SOCKET) return kNoSocket;
  BOOL one = TRUE;
  setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&one), sizeof one);
  return static_cast<TestSocket>(s);
}

TestSocket StartConnection(uint16_t port) {
  SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
  u_long nonBlocking = 1;
  ioctlsocket(s, FIONBIO, &nonBlocking);
  sockaddr_in sa = {};
  sa.sin_family = AF_INET;
  sa.sin_port = htons(port);
  sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  connect(s, reinterpret_cast<sockaddr*>(&sa), sizeof sa);
  return static_cast<TestSocket>(s);
}

bool SendAll(TestSocket s, const char* data, size_t length) {
  while (length > 0) {
    int n = send(S(s), data, static_cast<int>(length), 0);
    if (n <= 0) return false;
    data += n;
    length -= static_cast<size_t>(n);
  }
  return true;
}

long ReceiveSome(TestSocket s, char* buffer, size_t capacity, unsigned waitMs) {
  if (!WaitReadable(S(s), waitMs)) return -1;
  return recv(S(s), buffer, static_cast<int>(capacity), 0);
}

void CloseSocket(TestSocket s) {
  if (s != kNoSocket) closesocket(S(s));
}

uint16_t UnusedLoopbackPort() {
  uint16_t port = 0;
  CloseSocket(ListenOnLoopback(&port, 1));
  return port;
}

std::unique_ptr<LineChannel> MakePlatformChannel() {
  return std::make_unique<WinsockLineChannel>();
}

}  // namespace marvella::test
