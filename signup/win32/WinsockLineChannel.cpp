// Windows Sockets behind the line channel: a connect bounded with a non-blocking socket and
// select, then blocking sends and receives, each receive waiting a bounded time for data.
#include "signup/win32/WinsockLineChannel.h"

namespace marvella {
namespace {

timeval Milliseconds(unsigned ms) {
  timeval tv;
  tv.tv_sec = static_cast<long>(ms / 1000);
  tv.tv_usec = static_cast<long>((ms % 1000) * 1000);
  return tv;
}

}  // namespace

bool StartWinsock() {
  WSADATA data;
  return WSAStartup(0x0101, &data) == 0;
}

bool WinsockLineChannel::Connect(const char* address, uint16_t port, unsigned timeoutMs) {
  Close();
  socket_ = socket(AF_INET, SOCK_STREAM, 0);
  if (socket_ == INVALID_SOCKET) return false;
  sockaddr_in sa = {};
  sa.sin_family = AF_INET;
  sa.sin_port = htons(port);
  sa.sin_addr.s_addr = inet_addr(address);
  u_long nonBlocking = 1;
  ioctlsocket(socket_, FIONBIO, &nonBlocking);
  bool connected = connect(socket_, reinterpret_cast<sockaddr*>(&sa), sizeof sa) == 0;
  if (!connected && WSAGetLastError() == WSAEWOULDBLOCK) {
    // Success shows as writable, failure as an exception.
    fd_set writable, failed;
    FD_ZERO(&writable);
    FD_ZERO(&failed);
    FD_SET(socket_, &writable);
    FD_SET(socket_, &failed);
    timeval tv = Milliseconds(timeoutMs);
    connected = select(0, nullptr, &writable, &failed, &tv) > 0 && FD_ISSET(socket_, &writable) &&
                !FD_ISSET(socket_, &failed);
  }
  nonBlocking = 0;
  ioctlsocket(socket_, FIONBIO, &nonBlocking);
  if (!connected) Close();
  return connected;
}

void WinsockLineChannel::Send(const char* data, size_t length) {
  if (socket_ != INVALID_SOCKET) send(socket_, data, static_cast<int>(length), 0);
}

ReceiveResult WinsockLineChannel::Receive(char* buffer, size_t capacity, unsigned waitMs) {
  if (socket_ == INVALID_SOCKET || capacity == 0) return {ReceiveResult::kFailed, 0};
  fd_set readable;
  FD_ZERO(&readable);
  FD_SET(socket_, &readable);
  timeval tv = Milliseconds(waitMs);
  int ready = select(0, &readable, nullptr, nullptr, &tv);
  if (ready == 0) return {ReceiveResult::kTimedOut, 0};
  if (ready == SOCKET_ERROR) return {ReceiveResult::kFailed, 0};
  int n = recv(socket_, buffer, static_cast<int>(capacity), 0);
  if (n > 0) return {ReceiveResult::kData, static_cast<size_t>(n)};
  return {n == 0 ? ReceiveResult::kClosed : ReceiveResult::kFailed, 0};
}

void WinsockLineChannel::Close() {
  if (socket_ != INVALID_SOCKET) closesocket(socket_);
  socket_ = INVALID_SOCKET;
}

}  // namespace marvella
