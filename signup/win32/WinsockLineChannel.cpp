// Windows Sockets behind the line channel: a connect bounded with a non-blocking socket and
// select, then blocking sends and receives, each receive waiting a bounded time for data.
// wsock32.dll is bound at run time from the system directory: the installer runs from the
// folder it was downloaded to, and wsock32 is no Known DLL, so an import would load a copy
// planted there.
#include "signup/win32/WinsockLineChannel.h"

#include "common/win32/SystemLibrary.h"

namespace marvella {
namespace {

std::atomic<HMODULE> g_winsock{nullptr};

// Looked up at each call: cheap next to a network round trip.
template <typename Fn>
Fn Entry(const char* name) {
  return SystemEntry<Fn>(SharedSystemLibrary(g_winsock, "wsock32.dll"), name);
}

timeval Milliseconds(unsigned ms) {
  timeval tv;
  tv.tv_sec = static_cast<long>(ms / 1000);
  tv.tv_usec = static_cast<long>((ms % 1000) * 1000);
  return tv;
}

// FD_ISSET without the library's helper: select leaves only the ready sockets in a set.
bool IsIn(const fd_set& set, SOCKET s) {
  for (u_int i = 0; i < set.fd_count && i < FD_SETSIZE; ++i)
    if (set.fd_array[i] == s) return true;
  return false;
}

int Select(fd_set* readable, fd_set* writable, fd_set* failed, unsigned waitMs) {
  auto select = Entry<decltype(&::select)>("select");
  if (!select) return SOCKET_ERROR;
  timeval tv = Milliseconds(waitMs);
  return select(0, readable, writable, failed, &tv);
}

void SetBlocking(SOCKET s, bool blocking) {
  auto ioctl = Entry<decltype(&::ioctlsocket)>("ioctlsocket");
  u_long nonBlocking = blocking ? 0 : 1;
  if (ioctl) ioctl(s, FIONBIO, &nonBlocking);
}

}  // namespace

bool StartWinsock() {
  auto startup = Entry<decltype(&::WSAStartup)>("WSAStartup");
  WSADATA data;
  return startup && startup(0x0101, &data) == 0;
}

bool WinsockLineChannel::Connect(const char* address, uint16_t port, unsigned timeoutMs) {
  Close();
  auto open = Entry<decltype(&::socket)>("socket");
  auto connect = Entry<decltype(&::connect)>("connect");
  auto inetAddr = Entry<decltype(&::inet_addr)>("inet_addr");
  auto lastError = Entry<decltype(&::WSAGetLastError)>("WSAGetLastError");
  if (!open || !connect || !inetAddr || !lastError) return false;
  socket_ = open(AF_INET, SOCK_STREAM, 0);
  if (socket_ == INVALID_SOCKET) return false;
  sockaddr_in sa = {};
  sa.sin_family = AF_INET;
  sa.sin_port = static_cast<u_short>((port >> 8) | ((port & 0xFF) << 8));  // network order
  sa.sin_addr.s_addr = inetAddr(address);
  SetBlocking(socket_, false);
  bool connected = connect(socket_, reinterpret_cast<sockaddr*>(&sa), sizeof sa) == 0;
  if (!connected && lastError() == WSAEWOULDBLOCK) {
    // Success shows as writable, failure as an exception.
    fd_set writable, failed;
    FD_ZERO(&writable);
    FD_ZERO(&failed);
    FD_SET(socket_, &writable);
    FD_SET(socket_, &failed);
    connected = Select(nullptr, &writable, &failed, timeoutMs) > 0 && IsIn(writable, socket_) &&
                !IsIn(failed, socket_);
  }
  SetBlocking(socket_, true);
  if (!connected) Close();
  return connected;
}

void WinsockLineChannel::Send(const char* data, size_t length) {
  auto send = Entry<decltype(&::send)>("send");
  if (socket_ != INVALID_SOCKET && send) send(socket_, data, static_cast<int>(length), 0);
}

ReceiveResult WinsockLineChannel::Receive(char* buffer, size_t capacity, unsigned waitMs) {
  auto recv = Entry<decltype(&::recv)>("recv");
  if (socket_ == INVALID_SOCKET || capacity == 0 || !recv) return {ReceiveResult::kFailed, 0};
  fd_set readable;
  FD_ZERO(&readable);
  FD_SET(socket_, &readable);
  int ready = Select(&readable, nullptr, nullptr, waitMs);
  if (ready == 0) return {ReceiveResult::kTimedOut, 0};
  if (ready == SOCKET_ERROR) return {ReceiveResult::kFailed, 0};
  int n = recv(socket_, buffer, static_cast<int>(capacity), 0);
  if (n > 0) return {ReceiveResult::kData, static_cast<size_t>(n)};
  return {n == 0 ? ReceiveResult::kClosed : ReceiveResult::kFailed, 0};
}

void WinsockLineChannel::Close() {
  auto close = Entry<decltype(&::closesocket)>("closesocket");
  if (socket_ != INVALID_SOCKET && close) close(socket_);
  socket_ = INVALID_SOCKET;
}

}  // namespace marvella
