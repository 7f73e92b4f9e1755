// Test helpers for devservice.
#include "tests/unit/devservice/DevServiceTestSupport.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

namespace devservice_test {

namespace {

using Clock = std::chrono::steady_clock;

int ConnectLoopback(int port) {
  int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(static_cast<uint16_t>(port));
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

// Reads what is there within `wait`: >0 bytes, 0 at EOF, -1 on reset/error, -2 on timeout.
long ReadSome(int fd, char* buffer, std::size_t size, std::chrono::milliseconds wait) {
  pollfd p{fd, POLLIN, 0};
  int ready = poll(&p, 1, static_cast<int>(wait.count()));
  if (ready == 0) return -2;
  if (ready < 0) return -1;
  ssize_t n = recv(fd, buffer, size, 0);
  return n < 0 ? -1 : static_cast<long>(n);
}

}  // namespace

TempDir::TempDir() {
  std::string pattern =
      (std::filesystem::temp_directory_path() / "devservice-test-XXXXXX").string();
  char* made = mkdtemp(pattern.data());
  if (made) path_ = made;
}

TempDir::~TempDir() {
  std::error_code ignored;
  if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

TestService::TestService() {
  devservice::ServiceConfig config;
  config.userPort = 0;
  config.httpPort = 0;
  config.dbPath = dir_.Path() + "/devservice.db";
  log_ = std::fopen((dir_.Path() + "/test.log").c_str(), "a");
  config.log = log_;
  service_ = std::make_unique<devservice::Service>(config);
  std::string error;
  EXPECT_TRUE(service_->Start(&error)) << error;
}

TestService::~TestService() {
  service_.reset();
  if (log_) std::fclose(log_);
}

LineClient::LineClient(int port) : fd_(ConnectLoopback(port)) {}

LineClient::~LineClient() {
  if (fd_ >= 0) close(fd_);
}

bool LineClient::Send(const std::string& bytes) {
  return fd_ >= 0 &&
         send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(bytes.size());
}

std::string LineClient::ReceiveOnce(std::chrono::milliseconds wait) {
  if (!buffered_.empty()) return std::exchange(buffered_, std::string());
  char buffer[64000];
  long n = ReadSome(fd_, buffer, sizeof buffer, wait);
  if (n > 0) return std::string(buffer, static_cast<std::size_t>(n));
  ended_ = n == 0 ? Ended::Eof : n == -1 ? Ended::Reset : Ended::Timeout;
  return std::string();
}

std::string LineClient::ReceiveLine(std::chrono::milliseconds wait) {
  auto deadline = Clock::now() + wait;
  while (buffered_.find('\n') == std::string::npos) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) {
      ended_ = Ended::Timeout;
      return std::exchange(buffered_, std::string());
    }
    char buffer[64000];
    long n = ReadSome(fd_, buffer, sizeof buffer, left);
    if (n <= 0) {
      ended_ = n == 0 ? Ended::Eof : n == -1 ? Ended::Reset : Ended::Timeout;
      return std::exchange(buffered_, std::string());
    }
    buffered_.append(buffer, static_cast<std::size_t>(n));
  }
  std::size_t lf = buffered_.find('\n');
  std::string line = buffered_.substr(0, lf + 1);
  buffered_.erase(0, lf + 1);
  return line;
}

std::string LineClient::Ask(const std::string& line) {
  Send(line + "\r\n");
  return ReceiveLine();
}

std::string SignUp(int port, const std::string& userid, const std::string& password,
                   const std::string& alias, const std::string& extra) {
  LineClient client(port);
  if (client.Ask("HELLO").rfind("OK", 0) != 0) return "no HELLO";
  std::string line = "USERINFO alta=1;userid=" + userid + ";password=" + password + ";" + extra;
  if (!alias.empty()) line += "alias=" + alias + ";";
  std::string reply = client.Ask(line);
  if (reply.rfind("OK", 0) != 0) return reply;
  std::string account = client.Ask("ACCOUNTINFO");
  client.Send("QUIT\r\n");
  return account;
}

HttpResult RawGet(int port, const std::string& target, bool keepAlive,
                  std::chrono::milliseconds wait) {
  HttpResult result;
  auto start = Clock::now();
  int fd = ConnectLoopback(port);
  if (fd < 0) {
    result.ended = Ended::Reset;
    return result;
  }
  std::string request = "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) +
                        "\r\n" + (keepAlive ? "" : "Connection: close\r\n") + "\r\n";
  send(fd, request.data(), request.size(), MSG_NOSIGNAL);
  std::string data;
  auto deadline = start + wait;
  for (;;) {
    std::size_t headEnd = data.find("\r\n\r\n");
    std::chrono::milliseconds left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    // Once the announced body is complete, only wait briefly for anything beyond it.
    if (headEnd != std::string::npos && result.contentLength >= 0 &&
        data.size() - headEnd - 4 >= static_cast<std::size_t>(result.contentLength)) {
      left = std::min(left, std::chrono::milliseconds(300));
    }
    if (left.count() <= 0) {
      result.ended = Ended::Timeout;
      break;
    }
    char buffer[65536];
    long n = ReadSome(fd, buffer, sizeof buffer, left);
    if (n == -2) {
      result.ended =
          headEnd != std::string::npos && result.contentLength >= 0 ? Ended::Open : Ended::Timeout;
      break;
    }
    if (n <= 0) {
      result.ended = n == 0 ? Ended::Eof : Ended::Reset;
      break;
    }
    data.append(buffer, static_cast<std::size_t>(n));
    headEnd = data.find("\r\n\r\n");
    if (headEnd != std::string::npos && result.head.empty()) {
      result.head = data.substr(0, headEnd + 2);
      result.status = std::atoi(result.head.c_str() + result.head.find(' ') + 1);
      std::size_t at = result.head.find("\r\nContent-Length: ");
      if (at != std::string::npos) result.contentLength = std::atol(result.head.c_str() + at + 18);
    }
  }
  close(fd);
  std::size_t headEnd = data.find("\r\n\r\n");
  if (headEnd != std::string::npos) result.body = data.substr(headEnd + 4);
  return result;
}

std::string HiddenField(const std::string& page, const std::string& field) {
  std::string opening = "<INPUT TYPE=HIDDEN NAME=\"" + field + "\"";
  std::size_t at = page.find(opening);
  if (at == std::string::npos) return "<absent>";
  std::size_t end = page.find('>', at);
  std::size_t value = page.find("VALUE", at);
  if (end == std::string::npos || value == std::string::npos || value > end) return "<absent>";
  if (page.compare(value + 5, 2, "=\"") != 0) return "<absent>";
  std::size_t close = page.find('"', value + 7);
  if (close == std::string::npos || close > end) return "<absent>";
  return page.substr(value + 7, close - value - 7);
}

}  // namespace devservice_test
