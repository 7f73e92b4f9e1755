// The user server: the TCP line protocol on a loopback port, many conversations at once on
// a pool of threads. Every connection has an idle limit and a line-length limit; garbage,
// overlong lines, binary bytes and half-closed peers get an error reply or a closed
// connection, and the fault rules of the user scope bend the replies on purpose.
#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <string>

#include "devservice/AsioConfig.h"
#include "devservice/Faults.h"
#include "devservice/ServiceLog.h"
#include "devservice/Store.h"
#include "devservice/UserConversation.h"

namespace devservice {

struct UserServerLimits {
  std::size_t maxConnections = 1024;
  std::chrono::milliseconds idleTimeout{60000};
  std::size_t maxLine = 16384;
  int maxErrors = 8;  // consecutive error replies before the connection is closed
};

class UserSession;

class UserServer {
 public:
  UserServer(asio::io_context& io, const UserServerLimits& limits, Store& store,
             const AccountDefaults& defaults, Faults& faults, ServiceLog& log);
  ~UserServer();

  // Binds and starts accepting. Port 0 takes a free port; Port() tells which.
  bool Listen(const std::string& address, std::uint16_t port, std::string* error);
  std::uint16_t Port() const { return port_; }

  // Stops accepting and ends every open conversation; returns at once (the io threads
  // finish the work).
  void Stop();

  std::size_t OpenConnections() const { return open_.load(); }
  std::uint64_t Conversations() const { return conversations_.load(); }

 private:
  friend class UserSession;
  void Accept();
  void Forget(UserSession* session);

  asio::io_context& io_;
  UserServerLimits limits_;
  Store& store_;
  const AccountDefaults& defaults_;
  Faults& faults_;
  ServiceLog& log_;
  asio::ip::tcp::acceptor acceptor_;
  std::uint16_t port_ = 0;
  std::atomic<std::size_t> open_{0};
  std::atomic<std::uint64_t> conversations_{0};
  std::atomic<bool> stopping_{false};
  std::mutex sessionsMutex_;
  std::unordered_map<UserSession*, std::shared_ptr<UserSession>> sessions_;
};

}  // namespace devservice
