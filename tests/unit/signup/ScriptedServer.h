// A scripted user server on loopback, inside the test process: it accepts one connection,
// answers each command line with the next scripted reply (in pieces, silently, or by
// closing) and records the command lines it received.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tests/unit/signup/TestSockets.h"

namespace marvella::test {

struct ServerReply {
  enum Kind { kSend, kSilent, kClose, kSendThenClose };
  Kind kind = kSend;
  std::string text;
  std::vector<size_t> cuts;  // the text goes out in pieces split at these positions
  unsigned gapMs = 20;       // pause between pieces
};

inline ServerReply Send(std::string text, std::vector<size_t> cuts = {}, unsigned gapMs = 20) {
  return ServerReply{ServerReply::kSend, std::move(text), std::move(cuts), gapMs};
}
inline ServerReply Silent() { return ServerReply{ServerReply::kSilent, {}, {}, 0}; }
inline ServerReply CloseConnection() { return ServerReply{ServerReply::kClose, {}, {}, 0}; }
inline ServerReply SendThenClose(std::string text) {
  return ServerReply{ServerReply::kSendThenClose, std::move(text), {}, 0};
}

class ScriptedServer {
 public:
  explicit ScriptedServer(std::vector<ServerReply> replies);
  ~ScriptedServer();
  ScriptedServer(const ScriptedServer&) = delete;
  ScriptedServer& operator=(const ScriptedServer&) = delete;

  uint16_t port() const { return port_; }

  // Waits for the conversation to end (the client closed) and returns the command lines
  // received, each with its CR LF.
  std::vector<std::string> Commands();

 private:
  void Serve();
  bool ReadLine(TestSocket s, std::string& pending, std::string& line);

  std::vector<ServerReply> replies_;
  std::vector<std::string> commands_;
  std::mutex mutex_;
  std::atomic<bool> stop_{false};
  TestSocket listener_ = kNoSocket;
  uint16_t port_ = 0;
  std::thread thread_;
};

}  // namespace marvella::test
