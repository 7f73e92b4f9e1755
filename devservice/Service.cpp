// Start and stop of the reference service.
#include "devservice/Service.h"

#include <chrono>

#include "devservice/PortalServer.h"

namespace devservice {

Service::Service(ServiceConfig config) : config_(std::move(config)), log_(config_.log) {
  live_.Put(config_.live);
  for (const auto& [scope, fault] : config_.faults) faults_.Add(scope, fault);
}

Service::~Service() { Stop(); }

bool Service::Start(std::string* error) {
  if (running_) return true;
  store_ = Store::Open(config_.dbPath, error);
  if (!store_) return false;

  PortalConfig portal;
  portal.publicHost = config_.publicHost;
  portal.bookmarks = config_.bookmarks;
  portal.threads = config_.httpThreads;
  portal.initial = config_.live;
  portal_ = std::make_unique<PortalServer>(portal, *store_, live_, faults_, log_, [this] {
    return "conversations=" + std::to_string(userServer_ ? userServer_->Conversations() : 0) +
           "\nopen=" + std::to_string(userServer_ ? userServer_->OpenConnections() : 0) + "\n";
  });
  if (!portal_->Listen(config_.listenAddress, config_.httpPort, error)) {
    portal_.reset();
    store_.reset();
    return false;
  }
  // New accounts point at this web server for their personal pages.
  config_.account.webBase =
      "http://" + (config_.publicHost.empty()
                       ? config_.listenAddress + ":" + std::to_string(portal_->Port())
                       : config_.publicHost);

  userServer_ =
      std::make_unique<UserServer>(io_, config_.limits, *store_, config_.account, faults_, log_);
  if (!userServer_->Listen(config_.listenAddress, config_.userPort, error)) {
    userServer_.reset();
    portal_.reset();
    store_.reset();
    return false;
  }
  portal_->Start();
  int threads =
      config_.threads > 0 ? config_.threads : static_cast<int>(std::thread::hardware_concurrency());
  if (threads < 1) threads = 1;
  for (int i = 0; i < threads; ++i) threads_.emplace_back([this] { io_.run(); });
  running_ = true;
  return true;
}

void Service::Stop() {
  if (!running_) return;
  running_ = false;
  userServer_->Stop();
  // Let the conversations end (and log their lines) before the threads go.
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
  while (userServer_->OpenConnections() > 0 && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  io_.stop();
  for (std::thread& t : threads_) t.join();
  threads_.clear();
  portal_->Stop();
}

std::uint16_t Service::UserPort() const { return userServer_ ? userServer_->Port() : 0; }

std::uint16_t Service::HttpPort() const { return portal_ ? portal_->Port() : 0; }

}  // namespace devservice
