// The scripted loopback server.
#include "tests/unit/signup/ScriptedServer.h"

#include <chrono>

namespace marvella::test {
namespace {

constexpr unsigned kSliceMs = 50;
constexpr unsigned kGiveUpMs = 20000;  // a test that forgets its client still ends

}  // namespace

ScriptedServer::ScriptedServer(std::vector<ServerReply> replies) : replies_(std::move(replies)) {
  StartTestSockets();
  listener_ = ListenOnLoopback(&port_, 4);
  thread_ = std::thread([this] { Serve(); });
}

ScriptedServer::~ScriptedServer() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  CloseSocket(listener_);
}

std::vector<std::string> ScriptedServer::Commands() {
  if (thread_.joinable()) thread_.join();
  std::lock_guard<std::mutex> lock(mutex_);
  return commands_;
}

bool ScriptedServer::ReadLine(TestSocket s, std::string& pending, std::string& line) {
  unsigned waited = 0;
  for (;;) {
    size_t end = pending.find("\r\n");
    if (end != std::string::npos) {
      line = pending.substr(0, end + 2);
      pending.erase(0, end + 2);
      return true;
    }
    if (stop_ || waited >= kGiveUpMs) return false;
    char buffer[8192];
    long n = ReceiveSome(s, buffer, sizeof buffer, kSliceMs);
    if (n == 0) return false;  // the client closed
    if (n < 0) {
      waited += kSliceMs;  // a time-out slice (or a failure, which ends soon after)
      continue;
    }
    waited = 0;
    pending.append(buffer, static_cast<size_t>(n));
  }
}

void ScriptedServer::Serve() {
  TestSocket s = kNoSocket;
  for (unsigned waited = 0; s == kNoSocket && !stop_ && waited < kGiveUpMs; waited += kSliceMs)
    s = AcceptConnection(listener_, kSliceMs);
  if (s == kNoSocket) return;
  std::string pending, line;
  size_t next = 0;
  while (ReadLine(s, pending, line)) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      commands_.push_back(line);
    }
    if (next >= replies_.size()) continue;
    const ServerReply& reply = replies_[next++];
    if (reply.kind == ServerReply::kClose) break;
    if (reply.kind == ServerReply::kSilent) continue;
    size_t from = 0;
    for (size_t cut : reply.cuts) {
      SendAll(s, reply.text.data() + from, cut - from);
      from = cut;
      std::this_thread::sleep_for(std::chrono::milliseconds(reply.gapMs));
    }
    SendAll(s, reply.text.data() + from, reply.text.size() - from);
    if (reply.kind == ServerReply::kSendThenClose) break;
  }
  CloseSocket(s);
}

}  // namespace marvella::test
