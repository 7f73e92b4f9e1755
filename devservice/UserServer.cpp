// Connections of the user server.
#include "devservice/UserServer.h"

#include <random>
#include <vector>

namespace devservice {

namespace {

const char kReplyLineTooLong[] = "ERROR Línea demasiado larga\r\n";
const char kReplyTooManyErrors[] = "ERROR Demasiados errores\r\n";

std::string Peer(const asio::ip::tcp::socket& socket) {
  asio::error_code ec;
  asio::ip::tcp::endpoint ep = socket.remote_endpoint(ec);
  if (ec) return "?";
  return ep.address().to_string() + ":" + std::to_string(ep.port());
}

// The reply as the fault bends it, in the pieces to send.
std::vector<std::string> BendReply(const std::string& text, const Fault& fault) {
  std::vector<std::string> pieces;
  switch (fault.kind) {
    case FaultKind::Split: {
      int parts = fault.pieces < 1 ? 1 : fault.pieces;
      std::size_t size = text.size() / static_cast<std::size_t>(parts);
      if (size == 0) size = 1;
      for (std::size_t at = 0; at < text.size(); at += size) {
        // The last piece takes the remainder, so there are never more than `parts`.
        if (static_cast<int>(pieces.size()) == parts - 1) {
          pieces.push_back(text.substr(at));
          break;
        }
        pieces.push_back(text.substr(at, size));
      }
      break;
    }
    case FaultKind::Oversize: {
      std::string big = text;
      while (!big.empty() && (big.back() == '\n' || big.back() == '\r')) big.pop_back();
      if (big.size() + 2 < fault.size) big.append(fault.size - 2 - big.size(), ' ');
      big += "\r\n";
      pieces.push_back(std::move(big));
      break;
    }
    case FaultKind::Garbage: {
      thread_local std::mt19937 random{std::random_device{}()};
      std::string junk(64, '\0');
      for (std::size_t i = 0; i < junk.size(); ++i) {
        // Zero bytes among random ones, but no line break: it stays one reply.
        unsigned char byte = i % 7 == 0 ? 0 : static_cast<unsigned char>(random() & 0xff);
        junk[i] = static_cast<char>(byte == '\n' || byte == '\r' ? 0xff : byte);
      }
      pieces.push_back(junk + "\r\n");
      break;
    }
    default:
      pieces.push_back(text);
      break;
  }
  return pieces;
}

}  // namespace

class UserSession : public std::enable_shared_from_this<UserSession> {
 public:
  UserSession(UserServer& server, asio::ip::tcp::socket socket)
      : server_(server),
        socket_(std::move(socket)),
        idle_(socket_.get_executor()),
        pause_(socket_.get_executor()),
        conversation_(server.store_, server.defaults_),
        peer_(Peer(socket_)),
        started_(std::chrono::steady_clock::now()) {}

  void Start() {
    asio::post(socket_.get_executor(), [self = shared_from_this()] {
      self->ArmIdle();
      self->Read();
    });
  }

  // Ends the conversation from outside (service stopping).
  void Abort() {
    asio::post(socket_.get_executor(), [self = shared_from_this()] { self->Finish("stopped"); });
  }

 private:
  void ArmIdle() {
    idle_.expires_after(server_.limits_.idleTimeout);
    idle_.async_wait([self = shared_from_this()](const asio::error_code& ec) {
      if (!ec) self->Finish("idle");
    });
  }

  void Read() {
    if (finished_) return;
    socket_.async_read_some(asio::buffer(chunk_),
                            [self = shared_from_this()](const asio::error_code& ec, std::size_t n) {
                              self->OnRead(ec, n);
                            });
  }

  void OnRead(const asio::error_code& ec, std::size_t n) {
    if (finished_) return;
    if (ec == asio::error::eof) {
      // Half-closed peer: answer what it sent, then end.
      peerClosed_ = true;
    } else if (ec) {
      Finish(ec == asio::error::operation_aborted ? "stopped" : "reset");
      return;
    } else {
      input_.append(chunk_, n);
      ArmIdle();
    }
    Process();
  }

  // Handles every complete line in the input, one reply at a time: the next line waits
  // until the previous reply is written, so a peer that never reads cannot make us queue.
  void Process() {
    while (!finished_) {
      std::size_t lf = input_.find('\n');
      std::string line;
      if (lf != std::string::npos) {
        line = input_.substr(0, lf);
        input_.erase(0, lf + 1);
      } else if (input_.size() > server_.limits_.maxLine) {
        Send(kReplyLineTooLong, Fault(), true, "long-line");
        return;
      } else if (peerClosed_ && !input_.empty()) {
        line.swap(input_);  // a last command without its line break
      } else if (peerClosed_) {
        Finish("peer-closed");
        return;
      } else {
        Read();
        return;
      }
      if (line.size() > server_.limits_.maxLine) {
        Send(kReplyLineTooLong, Fault(), true, "long-line");
        return;
      }
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (HandleLine(line)) return;  // a reply is on its way; it resumes Process()
    }
  }

  // True when an asynchronous send was started.
  bool HandleLine(const std::string& line) {
    std::string word = line.substr(0, line.find(' '));
    Fault fault;
    if (word != "QUIT") fault = server_.faults_.Take(FaultScope::User, word);
    Reply reply = conversation_.Handle(line, fault);
    if (fault && faultsSeen_.size() < 200)
      faultsSeen_ += std::string(" fault=") + FaultKindName(fault.kind);
    if (std::string_view(reply.word) == "ERROR") {
      if (++errors_ >= server_.limits_.maxErrors) {
        Send(kReplyTooManyErrors, Fault(), true, "errors");
        return true;
      }
    } else {
      errors_ = 0;
    }
    if (reply.close && reply.text.empty()) {
      Finish("quit");
      return true;
    }
    switch (fault.kind) {
      case FaultKind::Silence:
        return false;
      case FaultKind::Close:
        Finish("fault-close");
        return true;
      default:
        break;
    }
    Send(reply.text, fault, reply.close, reply.close ? "closed" : nullptr);
    return true;
  }

  void Send(const std::string& text, const Fault& fault, bool closeAfter, const char* endReason) {
    pieces_ = BendReply(text, fault);
    next_ = 0;
    pieceDelay_ = std::chrono::milliseconds(fault.kind == FaultKind::Split ? fault.delayMs : 0);
    closeAfter_ = closeAfter;
    endReason_ = endReason ? endReason : "";
    if (fault.kind == FaultKind::Delay) {
      Pause(std::chrono::milliseconds(fault.delayMs));
    } else {
      WritePiece();
    }
  }

  void Pause(std::chrono::milliseconds delay) {
    pause_.expires_after(delay);
    pause_.async_wait([self = shared_from_this()](const asio::error_code& ec) {
      if (!ec && !self->finished_) self->WritePiece();
    });
  }

  void WritePiece() {
    if (finished_) return;
    if (next_ >= pieces_.size()) {
      if (closeAfter_) {
        Finish(endReason_.c_str());
      } else {
        Process();
      }
      return;
    }
    asio::async_write(socket_, asio::buffer(pieces_[next_]),
                      [self = shared_from_this()](const asio::error_code& ec, std::size_t) {
                        if (self->finished_) return;
                        if (ec) {
                          self->Finish("reset");
                          return;
                        }
                        self->ArmIdle();
                        ++self->next_;
                        if (self->next_ < self->pieces_.size() && self->pieceDelay_.count() > 0) {
                          self->Pause(self->pieceDelay_);
                        } else {
                          self->WritePiece();
                        }
                      });
  }

  void Finish(const char* reason) {
    if (finished_) return;
    finished_ = true;
    asio::error_code ignored;
    socket_.shutdown(asio::ip::tcp::socket::shutdown_both, ignored);
    socket_.close(ignored);
    idle_.cancel();
    pause_.cancel();
    long ms = static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                    std::chrono::steady_clock::now() - started_)
                                    .count());
    const std::string& id = conversation_.Userid();
    server_.log_.Line("user %s %s%s%s%s end=%s %ldms", peer_.c_str(),
                      conversation_.Summary().empty() ? "-" : conversation_.Summary().c_str(),
                      id.empty() ? "" : " userid=", LogText(id, 40).c_str(), faultsSeen_.c_str(),
                      reason, ms);
    server_.Forget(this);
  }

  UserServer& server_;
  asio::ip::tcp::socket socket_;
  asio::steady_timer idle_;
  asio::steady_timer pause_;
  UserConversation conversation_;
  std::string peer_;
  std::chrono::steady_clock::time_point started_;
  char chunk_[4096];
  std::string input_;
  std::vector<std::string> pieces_;
  std::size_t next_ = 0;
  std::chrono::milliseconds pieceDelay_{0};
  bool closeAfter_ = false;
  std::string endReason_;
  std::string faultsSeen_;
  bool peerClosed_ = false;
  bool finished_ = false;
  int errors_ = 0;
};

UserServer::UserServer(asio::io_context& io, const UserServerLimits& limits, Store& store,
                       const AccountDefaults& defaults, Faults& faults, ServiceLog& log)
    : io_(io),
      limits_(limits),
      store_(store),
      defaults_(defaults),
      faults_(faults),
      log_(log),
      acceptor_(asio::make_strand(io)) {}

UserServer::~UserServer() = default;

bool UserServer::Listen(const std::string& address, std::uint16_t port, std::string* error) {
  asio::error_code ec;
  asio::ip::address ip = asio::ip::make_address(address, ec);
  if (ec) {
    *error = "bad listen address " + address;
    return false;
  }
  asio::ip::tcp::endpoint endpoint(ip, port);
  acceptor_.open(endpoint.protocol(), ec);
  if (!ec) acceptor_.set_option(asio::ip::tcp::acceptor::reuse_address(true), ec);
  if (!ec) acceptor_.bind(endpoint, ec);
  if (!ec) acceptor_.listen(asio::socket_base::max_listen_connections, ec);
  if (ec) {
    *error = "user server cannot listen on " + address + ":" + std::to_string(port) + ": " +
             ec.message();
    return false;
  }
  port_ = acceptor_.local_endpoint(ec).port();
  Accept();
  return true;
}

void UserServer::Accept() {
  // Every connection gets a strand of its own: its reads, writes and timers never run at once.
  acceptor_.async_accept(
      asio::make_strand(io_), [this](const asio::error_code& ec, asio::ip::tcp::socket socket) {
        if (stopping_) return;
        if (ec) {
          if (ec == asio::error::operation_aborted) return;
          // Out of descriptors and the like: keep serving the open conversations, retry soon.
          log_.Line("user accept failed: %s", ec.message().c_str());
          auto retry = std::make_shared<asio::steady_timer>(io_, std::chrono::milliseconds(100));
          retry->async_wait([this, retry](const asio::error_code&) {
            if (!stopping_) Accept();
          });
          return;
        }
        if (open_.load() >= limits_.maxConnections) {
          log_.Line("user %s refused: %zu connections open", Peer(socket).c_str(), open_.load());
          asio::error_code ignored;
          socket.close(ignored);
        } else {
          asio::error_code ignored;
          socket.set_option(asio::ip::tcp::no_delay(true), ignored);
          auto session = std::make_shared<UserSession>(*this, std::move(socket));
          {
            std::lock_guard<std::mutex> lock(sessionsMutex_);
            sessions_.emplace(session.get(), session);
          }
          ++open_;
          ++conversations_;
          session->Start();
        }
        Accept();
      });
}

void UserServer::Forget(UserSession* session) {
  std::lock_guard<std::mutex> lock(sessionsMutex_);
  if (sessions_.erase(session) > 0) --open_;
}

void UserServer::Stop() {
  stopping_ = true;
  asio::post(acceptor_.get_executor(), [this] {
    asio::error_code ignored;
    acceptor_.close(ignored);
  });
  std::lock_guard<std::mutex> lock(sessionsMutex_);
  for (const auto& entry : sessions_) entry.second->Abort();
}

}  // namespace devservice
