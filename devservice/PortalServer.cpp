// The portal web server of the reference service.
#include "devservice/PortalServer.h"

#include <httplib.h>

#include <arpa/inet.h>
#include <dirent.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <cstdio>
#include <mutex>
#include <thread>

#include "devservice/ItemText.h"
#include "devservice/PortalContent.h"

namespace devservice {

namespace {

// What the pre-routing step learned about the request being served. httplib serves one
// request at a time on a thread, so per-thread state follows the request.
struct RequestState {
  std::chrono::steady_clock::time_point start;
  Fault fault;
  std::size_t bytes = 0;
};
thread_local RequestState tlRequest;

bool IsLoopback(const std::string& address) {
  return address.rfind("127.", 0) == 0 || address == "::1" || address == "::ffff:127.0.0.1";
}

// The socket a request arrived on, found by its addresses: httplib does not hand it out,
// and a reset must be done on the socket itself.
int FindSocket(const httplib::Request& req) {
  DIR* dir = opendir("/proc/self/fd");
  if (!dir) return -1;
  int found = -1;
  while (dirent* entry = readdir(dir)) {
    char* end = nullptr;
    long fd = std::strtol(entry->d_name, &end, 10);
    if (*end != '\0' || end == entry->d_name) continue;
    sockaddr_in local{};
    sockaddr_in peer{};
    socklen_t size = sizeof local;
    if (getsockname(static_cast<int>(fd), reinterpret_cast<sockaddr*>(&local), &size) != 0 ||
        local.sin_family != AF_INET || ntohs(local.sin_port) != req.local_port) {
      continue;
    }
    size = sizeof peer;
    if (getpeername(static_cast<int>(fd), reinterpret_cast<sockaddr*>(&peer), &size) != 0 ||
        ntohs(peer.sin_port) != req.remote_port) {
      continue;
    }
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &peer.sin_addr, text, sizeof text);
    if (req.remote_addr == text) {
      found = static_cast<int>(fd);
      break;
    }
  }
  closedir(dir);
  return found;
}

// Sends a TCP reset now, leaving the descriptor to httplib, which then fails its writes
// and closes it. (Disconnecting with AF_UNSPEC resets an established connection.)
bool ResetConnection(const httplib::Request& req) {
  int fd = FindSocket(req);
  if (fd < 0) return false;
  linger hard{1, 0};
  setsockopt(fd, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
  sockaddr none{};
  none.sa_family = AF_UNSPEC;
  connect(fd, &none, sizeof none);
  return true;
}

// A Host header we are willing to echo into links: a host name or address and a port.
bool IsSaneHost(const std::string& host) {
  if (host.empty() || host.size() > 255) return false;
  for (char c : host) {
    bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
              c == '.' || c == '-' || c == ':';
    if (!ok) return false;
  }
  return true;
}

std::string QueryOf(const httplib::Request& req) {
  std::size_t q = req.target.find('?');
  return q == std::string::npos ? std::string() : req.target.substr(q + 1);
}

std::string CookieUser(const httplib::Request& req) {
  std::string cookies = req.get_header_value("Cookie");
  const std::string key = "MARVELLA_USER=";
  std::size_t at = cookies.find(key);
  if (at == std::string::npos) return std::string();
  std::size_t end = cookies.find(';', at);
  std::string user = cookies.substr(
      at + key.size(), end == std::string::npos ? std::string::npos : end - at - key.size());
  return IsValidIdentifier(user) ? user : std::string();
}

}  // namespace

struct PortalServer::Impl {
  PortalConfig config;
  Store& store;
  LiveSettings& live;
  Faults& faults;
  ServiceLog& log;
  std::function<std::string()> status;
  httplib::Server server;
  std::thread thread;
  std::string listenAddress;
  std::uint16_t port = 0;
  std::string bookmarksOverride;
  std::mutex mutex;          // guards the two below
  std::string lastUser;      // last user whose logon or home visit matched an account
  std::size_t rotation = 0;  // banner rotation

  Impl(const PortalConfig& c, Store& s, LiveSettings& l, Faults& f, ServiceLog& g,
       std::function<std::string()> st)
      : config(c), store(s), live(l), faults(f), log(g), status(std::move(st)) {}

  std::string Base(const httplib::Request& req) const {
    if (!config.publicHost.empty()) return "http://" + config.publicHost;
    std::string host = req.get_header_value("Host");
    if (IsSaneHost(host)) return "http://" + host;
    return "http://" + listenAddress + ":" + std::to_string(port);
  }

  // Sends a body the way the request's fault (if any) says.
  void Deliver(httplib::Response& res, std::string body, const char* type,
               const httplib::Request& req) {
    Fault f = tlRequest.fault;
    if (f.size) PadBody(body, f.size);
    tlRequest.bytes = body.size();
    auto shared = std::make_shared<std::string>(std::move(body));
    std::size_t size = shared->size();
    switch (f.kind) {
      case FaultKind::NoLength:
        // Without a length the body ends with the connection. Failing the provider once
        // all is written is how httplib is made to close it.
        res.set_header("Connection", "close");
        res.set_content_provider(type, [shared](std::size_t offset, httplib::DataSink& sink) {
          if (offset >= shared->size()) return false;
          sink.write(shared->data() + offset, shared->size() - offset);
          return true;
        });
        break;
      case FaultKind::LongLength:
        // Declares more than it has, sends what it has, then gives up: httplib closes.
        res.set_content_provider(
            size + 1000, type, [shared](std::size_t offset, std::size_t, httplib::DataSink& sink) {
              if (offset >= shared->size()) return false;
              sink.write(shared->data() + offset, shared->size() - offset);
              return true;
            });
        break;
      case FaultKind::ShortLength:
        // All of the body after a length that covers half of it; then the connection is
        // closed, or the rest would be read as the next response.
        res.set_header("Connection", "close");
        res.set_content_provider(size / 2, type,
                                 [shared](std::size_t, std::size_t, httplib::DataSink& sink) {
                                   sink.write(shared->data(), shared->size());
                                   return false;
                                 });
        break;
      case FaultKind::Slow: {
        std::size_t parts = f.pieces < 1 ? 1 : static_cast<std::size_t>(f.pieces);
        std::size_t piece = (size + parts - 1) / parts;
        if (piece == 0) piece = 1;
        int delay = f.delayMs;
        res.set_content_provider(size, type,
                                 [shared, piece, delay](std::size_t offset, std::size_t length,
                                                        httplib::DataSink& sink) {
                                   if (offset > 0)
                                     std::this_thread::sleep_for(std::chrono::milliseconds(delay));
                                   sink.write(shared->data() + offset,
                                              length < piece ? length : piece);
                                   return true;
                                 });
        break;
      }
      case FaultKind::Reset: {
        httplib::Request where;
        where.remote_addr = req.remote_addr;
        where.remote_port = req.remote_port;
        where.local_addr = req.local_addr;
        where.local_port = req.local_port;
        res.set_content_provider(
            size, type,
            [this, shared, where](std::size_t offset, std::size_t, httplib::DataSink& sink) {
              if (offset == 0 && shared->size() > 1) {
                sink.write(shared->data(), shared->size() / 2);
                return true;
              }
              if (!ResetConnection(where)) log.Line("http reset: connection not found");
              return false;
            });
        break;
      }
      default:
        res.set_content(*shared, type);
        break;
    }
  }

  httplib::Server::HandlerResponse PreRoute(const httplib::Request& req, httplib::Response& res) {
    tlRequest = RequestState();
    tlRequest.start = std::chrono::steady_clock::now();
    if (req.path.rfind("/admin/", 0) == 0) {
      if (!IsLoopback(req.remote_addr)) {
        res.status = 403;
        res.set_content("admin: loopback only\n", "text/plain");
        return httplib::Server::HandlerResponse::Handled;
      }
      return httplib::Server::HandlerResponse::Unhandled;
    }
    Fault f;
    if (req.has_param("fault")) {
      // A fault for this one request, named in its query: fault=KIND[&fault_KEY=V...].
      std::vector<std::pair<std::string, std::string>> params{
          {"kind", req.get_param_value("fault")}};
      for (const char* key : {"delay", "pieces", "size", "code"}) {
        std::string name = std::string("fault_") + key;
        if (req.has_param(name.c_str()))
          params.emplace_back(key, req.get_param_value(name.c_str()));
      }
      std::string error;
      if (!ParseFault(FaultScope::Http, params, &f, &error)) {
        res.status = 400;
        res.set_content("fault: " + error + "\n", "text/plain");
        return httplib::Server::HandlerResponse::Handled;
      }
    } else {
      f = faults.Take(FaultScope::Http, req.path);
    }
    tlRequest.fault = f;
    switch (f.kind) {
      case FaultKind::Status:
        res.status = f.status;
        Deliver(res, ErrorPage(f.status), kHtmlType, req);
        return httplib::Server::HandlerResponse::Handled;
      case FaultKind::Drop:
        if (!ResetConnection(req)) log.Line("http drop: connection not found");
        res.status = 500;
        return httplib::Server::HandlerResponse::Handled;
      default:
        return httplib::Server::HandlerResponse::Unhandled;
    }
  }

  void Log(const httplib::Request& req, const httplib::Response& res) {
    // httplib answers some requests (a malformed request line, say) without routing them:
    // then nothing of this request was noted, and nothing of the last one may show.
    bool routed = tlRequest.start != std::chrono::steady_clock::time_point();
    long ms = routed ? static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                             std::chrono::steady_clock::now() - tlRequest.start)
                                             .count())
                     : 0;
    std::size_t bytes = tlRequest.bytes ? tlRequest.bytes : res.body.size();
    log.Line("http %s:%d %s %s %d %zuB%s%s %ldms", req.remote_addr.c_str(), req.remote_port,
             LogText(req.method, 10).c_str(), LogText(req.target).c_str(), res.status, bytes,
             tlRequest.fault ? " fault=" : "",
             tlRequest.fault ? FaultKindName(tlRequest.fault.kind) : "", ms);
    tlRequest = RequestState();
  }

  void RecordVisit(const httplib::Request& req, httplib::Response& res) {
    devservice::Visit visit;
    visit.path = req.path;
    visit.query = QueryOf(req);
    visit.user = req.get_param_value("user");
    AccountData account;
    visit.known = IsValidIdentifier(visit.user) && store.FindAccount(visit.user, &account) &&
                  account.pass == req.get_param_value("password");
    store.RecordVisit(visit);
    if (visit.known) {
      {
        std::lock_guard<std::mutex> lock(mutex);
        lastUser = visit.user;
      }
      res.set_header("Set-Cookie", "MARVELLA_USER=" + visit.user + "; Path=/");
    }
    Deliver(res, LogonPage(Base(req), visit.user, visit.known), kHtmlType, req);
  }

  void ConfigPage(const httplib::Request& req, httplib::Response& res) {
    LiveValues values = live.Get();
    std::string base = Base(req);
    std::size_t banner = 0;
    std::string user = CookieUser(req);
    {
      std::lock_guard<std::mutex> lock(mutex);
      if (BannerCount() > 0) {
        banner = values.banner > 0
                     ? (static_cast<std::size_t>(values.banner) - 1) % BannerCount() + 1
                     : rotation++ % BannerCount() + 1;
      }
      if (user.empty()) user = lastUser;
    }
    std::string pagpers = values.pagpers;
    AccountData account;
    if (pagpers.empty() && !user.empty() && store.FindAccount(user, &account))
      pagpers = account.pagpers;
    // Nobody known yet: the page that tells how to get a personal page.
    if (pagpers.empty()) pagpers = base + "/servicios/pagina/";
    Deliver(res, devservice::ConfigPage(base, banner, values, pagpers), kHtmlType, req);
  }

  void Routes();
  void AdminRoutes();
};

void PortalServer::Impl::Routes() {
  using httplib::Request;
  using httplib::Response;
  server.Get("/", [this](const Request& req, Response& res) {
    Deliver(res, HomePage(Base(req)), kHtmlType, req);
  });
  server.Get("/index.htm", [this](const Request& req, Response& res) {
    Deliver(res, HomePage(Base(req)), kHtmlType, req);
  });
  server.Get("/cgi-bin/mailtand",
             [this](const Request& req, Response& res) { ConfigPage(req, res); });
  server.Get("/tandem/tnbbookm.ini", [this](const Request& req, Response& res) {
    std::string ini = bookmarksOverride.empty() ? BookmarksFile(Base(req), live.Get().lastVersion)
                                                : bookmarksOverride;
    Deliver(res, ini, kTextType, req);
  });
  server.Get(R"(/banners/banner(\d{1,3})\.jpg)", [this](const Request& req, Response& res) {
    Banner b = BannerAt(static_cast<std::size_t>(std::atoi(req.matches[1].str().c_str())));
    if (!b.data) {
      res.status = 404;
      return;
    }
    Deliver(res, std::string(reinterpret_cast<const char*>(b.data), b.size), "image/jpeg", req);
  });
  server.Get("/cgi-bin/hitlog", [this](const Request& req, Response& res) {
    std::int64_t hits = store.AddToCounter("hits", 1);
    Deliver(res, "OK " + std::to_string(hits) + "\r\n", kTextType, req);
  });
  server.Get("/cgi-bin/logon",
             [this](const Request& req, Response& res) { RecordVisit(req, res); });
  server.Get("/cgi-bin/gohome",
             [this](const Request& req, Response& res) { RecordVisit(req, res); });
  server.Get(R"(/usuarios/([a-z0-9_.]{1,15})/?)", [this](const Request& req, Response& res) {
    std::string userid = req.matches[1].str();
    if (!IsValidIdentifier(userid) || !store.FindUser(userid, nullptr)) {
      res.status = 404;
      return;
    }
    Deliver(res, PersonalPage(Base(req), userid), kHtmlType, req);
  });
  server.Get("/webmail/", [this](const Request& req, Response& res) {
    Deliver(res, WebMailPage(Base(req), live.Get().mail), kHtmlType, req);
  });
  server.Get(R"(/promo/(\d{1,3}))", [this](const Request& req, Response& res) {
    Deliver(res,
            PromoPage(Base(req), static_cast<std::size_t>(std::atoi(req.matches[1].str().c_str()))),
            kHtmlType, req);
  });
  server.Get("/buscar", [this](const Request& req, Response& res) {
    Deliver(res, SearchPage(Base(req), "Buscador Marvella", req.get_param_value("Query")),
            kHtmlType, req);
  });
  server.Get(R"(/diccionario/(lengua|esin|ines))", [this](const Request& req, Response& res) {
    std::string which = req.matches[1].str();
    const char* title = which == "lengua" ? "Diccionario de la lengua española"
                        : which == "esin" ? "Diccionario español-inglés"
                                          : "Diccionario inglés-español";
    Deliver(res, SearchPage(Base(req), title, req.get_param_value("Entrada")), kHtmlType, req);
  });
  server.Get("/login_tandem.htm", [this](const Request& req, Response& res) {
    Deliver(res, LoginHopPage(Base(req), req.get_param_value("urlsalida")), kHtmlType, req);
  });
  server.Get(
      R"(/(canales|comunidad|servicios|personalizar|agenda|carpeta|ayuda|descargas|mimarvella)(/[^?]*)?)",
      [this](const Request& req, Response& res) {
        Deliver(res, SectionPage(Base(req), req.path), kHtmlType, req);
      });
  server.set_error_handler([this](const Request& req, Response& res) {
    if (res.body.empty() && !res.content_provider_)
      Deliver(res, ErrorPage(res.status), kHtmlType, req);
  });
  AdminRoutes();
}

void PortalServer::Impl::AdminRoutes() {
  using httplib::Request;
  using httplib::Response;
  auto text = [this](Response& res, int code, const std::string& body) {
    res.status = code;
    res.set_content(body, "text/plain");
    tlRequest.bytes = body.size();
  };
  server.Get("/admin/status", [this, text](const Request&, Response& res) {
    LiveValues v = live.Get();
    std::string body;
    body += "users=" + std::to_string(store.CountUsers()) + "\n";
    body += "accounts=" + std::to_string(store.CountAccounts()) + "\n";
    body += "visits=" + std::to_string(store.Visits().size()) + "\n";
    body += "hits=" + std::to_string(store.AddToCounter("hits", 0)) + "\n";
    body += "mail=" + v.mail + "\ntokens=" + v.tokens + "\npagpers=" + v.pagpers + "\n";
    body += "lastversion=" + v.lastVersion + "\nbanner=" + std::to_string(v.banner) + "\n";
    if (status) body += status();
    body += faults.Describe();
    text(res, 200, body);
  });
  server.Get("/admin/set", [this, text](const Request& req, Response& res) {
    for (const auto& [key, value] : req.params) {
      std::string error;
      if (!live.Set(key, value, &error)) {
        text(res, 400, "set: " + error + "\n");
        return;
      }
    }
    text(res, 200, "OK\n");
  });
  server.Get("/admin/fault", [this, text](const Request& req, Response& res) {
    std::string scope = req.get_param_value("scope");
    if (scope != "user" && scope != "http") {
      text(res, 400, "fault: scope must be user or http\n");
      return;
    }
    FaultScope s = scope == "user" ? FaultScope::User : FaultScope::Http;
    if (req.has_param("clear")) {
      faults.Clear(s);
      text(res, 200, "OK\n");
      return;
    }
    std::vector<std::pair<std::string, std::string>> params;
    for (const auto& [key, value] : req.params) {
      if (key != "scope") params.emplace_back(key, value);
    }
    Fault f;
    std::string error;
    if (!ParseFault(s, params, &f, &error)) {
      text(res, 400, "fault: " + error + "\n");
      return;
    }
    faults.Add(s, f);
    text(res, 200, "OK\n");
  });
  server.Get("/admin/reset", [this, text](const Request&, Response& res) {
    faults.Clear(FaultScope::User);
    faults.Clear(FaultScope::Http);
    live.Put(config.initial);
    {
      std::lock_guard<std::mutex> lock(mutex);
      rotation = 0;
      lastUser.clear();
    }
    text(res, 200, "OK\n");
  });
  server.Get("/admin/visits", [this, text](const Request&, Response& res) {
    std::string body;
    for (const devservice::Visit& v : store.Visits()) {
      body += std::to_string(v.id) + " " + v.path + " " + (v.known ? "known" : "unknown") + " " +
              v.query + "\n";
    }
    text(res, 200, body);
  });
  server.Get("/admin/accounts", [this, text](const Request&, Response& res) {
    std::string body;
    for (const std::string& login : store.AccountLogins()) body += login + "\n";
    text(res, 200, body);
  });
  server.Get("/admin/user", [this, text](const Request& req, Response& res) {
    UserData user;
    if (!store.FindUser(req.get_param_value("userid"), &user)) {
      text(res, 404, "no such user\n");
      return;
    }
    std::string body;
    AppendItem(body, "userid", user.userid);
    body += user.fields;
    if (!user.alias.empty()) AppendItem(body, "alias", user.alias);
    body += "\n";
    AccountData account;
    if (store.FindAccount(user.userid, &account)) {
      AppendItem(body, "userid", account.login);
      AppendItem(body, "pass", account.pass);
      AppendItem(body, "pagpers", account.pagpers);
      body += "\n";
    }
    text(res, 200, body);
  });
}

PortalServer::PortalServer(const PortalConfig& config, Store& store, LiveSettings& live,
                           Faults& faults, ServiceLog& log, std::function<std::string()> status)
    : impl_(new Impl(config, store, live, faults, log, std::move(status))) {}

PortalServer::~PortalServer() { Stop(); }

bool PortalServer::Listen(const std::string& address, std::uint16_t port, std::string* error) {
  Impl& m = *impl_;
  if (!m.config.bookmarks.empty()) {
    std::FILE* file = std::fopen(m.config.bookmarks.c_str(), "rb");
    char chunk[4096];
    std::size_t n = 0;
    while (file && (n = std::fread(chunk, 1, sizeof chunk, file)) > 0)
      m.bookmarksOverride.append(chunk, n);
    if (file) std::fclose(file);
    if (m.bookmarksOverride.empty()) {
      *error = "cannot read bookmarks file " + m.config.bookmarks;
      return false;
    }
  }
  int threads = m.config.threads < 1 ? 1 : m.config.threads;
  m.server.new_task_queue = [threads] {
    return new httplib::ThreadPool(static_cast<std::size_t>(threads));
  };
  m.server.set_pre_routing_handler([this](const httplib::Request& req, httplib::Response& res) {
    return impl_->PreRoute(req, res);
  });
  m.server.set_logger(
      [this](const httplib::Request& req, const httplib::Response& res) { impl_->Log(req, res); });
  m.server.set_payload_max_length(64 * 1024);
  m.server.set_address_family(AF_INET);
  // httplib's default also sets SO_REUSEPORT, which lets a second instance bind the same
  // port and quietly take half of the connections. Only SO_REUSEADDR (quick restarts).
  m.server.set_socket_options([](socket_t sock) {
    int yes = 1;
    setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  });
  m.Routes();
  m.listenAddress = address;
  bool bound;
  if (port == 0) {
    int p = m.server.bind_to_any_port(address);
    bound = p > 0;
    m.port = static_cast<std::uint16_t>(p > 0 ? p : 0);
  } else {
    bound = m.server.bind_to_port(address, port);
    m.port = port;
  }
  if (!bound) {
    *error = "web server cannot listen on " + address + ":" + std::to_string(port) + ": " +
             std::strerror(errno);
    return false;
  }
  return true;
}

std::uint16_t PortalServer::Port() const { return impl_->port; }

void PortalServer::Start() {
  impl_->thread = std::thread([this] { impl_->server.listen_after_bind(); });
  // httplib's stop() does nothing until the listening loop runs, so a Stop right after
  // Start would wait forever: return only once it runs.
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!impl_->server.is_running() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

void PortalServer::Stop() {
  if (impl_->thread.joinable()) {
    impl_->server.stop();
    impl_->thread.join();
  }
}

}  // namespace devservice
