// BSD sockets behind the line channel: a bounded connect, then blocking sends and receives
// that each wait a bounded time for data.
#include "signup/posix/PosixLineChannel.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace marvella {
namespace {

// Waits for `events` on `fd`; 1 when ready, 0 on time-out, -1 on failure.
int WaitFor(int fd, short events, unsigned waitMs) {
  pollfd p{fd, events, 0};
  int r;
  do {
    r = poll(&p, 1, static_cast<int>(waitMs));
  } while (r < 0 && errno == EINTR);
  return r;
}

}  // namespace

bool PosixLineChannel::Connect(const char* address, uint16_t port, unsigned timeoutMs) {
  Close();
  fd_ = socket(AF_INET, SOCK_STREAM, 0);
  if (fd_ < 0) return false;
  sockaddr_in sa{};
  sa.sin_family = AF_INET;
  sa.sin_port = htons(port);
  sa.sin_addr.s_addr = inet_addr(address);
  int flags = fcntl(fd_, F_GETFL);
  fcntl(fd_, F_SETFL, flags | O_NONBLOCK);
  bool connected = connect(fd_, reinterpret_cast<sockaddr*>(&sa), sizeof sa) == 0;
  if (!connected && errno == EINPROGRESS && WaitFor(fd_, POLLOUT, timeoutMs) == 1) {
    int error = 0;
    socklen_t length = sizeof error;
    connected = getsockopt(fd_, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0;
  }
  fcntl(fd_, F_SETFL, flags);
  if (!connected) Close();
  return connected;
}

void PosixLineChannel::Send(const char* data, size_t length) {
  if (fd_ >= 0) (void)send(fd_, data, length, MSG_NOSIGNAL);
}

ReceiveResult PosixLineChannel::Receive(char* buffer, size_t capacity, unsigned waitMs) {
  if (fd_ < 0 || capacity == 0) return {ReceiveResult::kFailed, 0};
  int ready = WaitFor(fd_, POLLIN, waitMs);
  if (ready == 0) return {ReceiveResult::kTimedOut, 0};
  if (ready < 0) return {ReceiveResult::kFailed, 0};
  ssize_t n;
  do {
    n = recv(fd_, buffer, capacity, 0);
  } while (n < 0 && errno == EINTR);
  if (n > 0) return {ReceiveResult::kData, static_cast<size_t>(n)};
  return {n == 0 ? ReceiveResult::kClosed : ReceiveResult::kFailed, 0};
}

void PosixLineChannel::Close() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
}

}  // namespace marvella
