// The portal web server (cpp-httplib) on a loopback port: the configuration page, the
// bookmarks file, banners, hit log, logon and home visits, portal pages, and the admin
// endpoint (/admin/..., loopback peers only, never bent by faults) through which tests
// move the live values and switch fault modes.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "devservice/Faults.h"
#include "devservice/LiveSettings.h"
#include "devservice/ServiceLog.h"
#include "devservice/Store.h"

namespace devservice {

struct PortalConfig {
  std::string publicHost;  // host[:port] the pages link to; empty: the request's Host
  std::string bookmarks;   // file served as the bookmarks file; empty: the built-in one
  int threads = 32;        // requests served at once (slow faults hold one each)
  LiveValues initial;      // what /admin/reset restores
};

class PortalServer {
 public:
  // `status` adds the rest of the service's figures to /admin/status.
  PortalServer(const PortalConfig& config, Store& store, LiveSettings& live, Faults& faults,
               ServiceLog& log, std::function<std::string()> status);
  ~PortalServer();

  bool Listen(const std::string& address, std::uint16_t port, std::string* error);
  std::uint16_t Port() const;
  // Serves on a thread of its own until Stop.
  void Start();
  void Stop();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace devservice
