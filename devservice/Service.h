// The whole reference service in one object: the store, the user server on its thread
// pool and the portal web server, started and stopped together. The program and the
// in-process tests and benchmark use it alike.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "devservice/Faults.h"
#include "devservice/LiveSettings.h"
#include "devservice/ServiceLog.h"
#include "devservice/Store.h"
#include "devservice/UserConversation.h"
#include "devservice/UserServer.h"

namespace devservice {

class PortalServer;

struct ServiceConfig {
  std::string listenAddress = "127.0.0.1";
  std::uint16_t userPort = 6667;  // 0: any free port
  std::uint16_t httpPort = 8080;  // 0: any free port
  std::string dbPath;             // the data file; ":memory:" keeps nothing
  std::string publicHost;         // host[:port] of links; empty: as the client addressed us
  std::string bookmarks;          // served instead of the built-in bookmarks file
  int threads = 0;                // user-server threads; 0: one per core
  int httpThreads = 32;
  UserServerLimits limits;
  AccountDefaults account;  // webBase is filled in from the web server's address
  LiveValues live;
  std::vector<std::pair<FaultScope, Fault>> faults;  // active from the start
  std::FILE* log = nullptr;  // one line per conversation and request; nullptr: none
};

class Service {
 public:
  explicit Service(ServiceConfig config);
  ~Service();
  Service(const Service&) = delete;
  Service& operator=(const Service&) = delete;

  // Opens the data, binds both ports and starts serving. False (with a reason) when any
  // part cannot start; nothing is left running then.
  bool Start(std::string* error);
  // Ends every conversation, stops both servers and waits for their threads. Idempotent.
  void Stop();

  std::uint16_t UserPort() const;
  std::uint16_t HttpPort() const;
  std::size_t OpenUserConnections() const {
    return userServer_ ? userServer_->OpenConnections() : 0;
  }
  const std::string& WebBase() const { return config_.account.webBase; }
  const ServiceConfig& Config() const { return config_; }

  Store& GetStore() { return *store_; }
  LiveSettings& Live() { return live_; }
  Faults& GetFaults() { return faults_; }

 private:
  ServiceConfig config_;
  ServiceLog log_;
  LiveSettings live_;
  Faults faults_;
  std::unique_ptr<Store> store_;
  asio::io_context io_;
  std::unique_ptr<UserServer> userServer_;
  std::unique_ptr<PortalServer> portal_;
  std::vector<std::thread> threads_;
  bool running_ = false;
};

}  // namespace devservice
