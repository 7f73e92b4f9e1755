// The scripted server's replies on a line channel of their own, with no socket and no real
// waiting: each command line sent queues the next reply's pieces, the first due at once and
// each later one its pause after the one before. A receive takes at most one piece when it
// is due within the wait, and otherwise times out, the wait counted off the pause; with
// nothing queued the wait runs out (or the peer has closed). For tests that go through many
// replies and need nothing from the system's sockets.
#pragma once

#include <algorithm>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "signup/LineChannel.h"
#include "tests/unit/signup/ScriptedServer.h"

namespace marvella::test {

class ScriptedChannel final : public LineChannel {
 public:
  explicit ScriptedChannel(std::vector<ServerReply> replies) : replies_(std::move(replies)) {}

  bool Connect(const char*, uint16_t, unsigned) override {
    open = true;
    closedByPeer_ = false;
    return true;
  }
  void Send(const char* data, size_t length) override {
    pending_.append(data, length);
    for (size_t end; !closedByPeer_ && (end = pending_.find("\r\n")) != std::string::npos;) {
      commands.push_back(pending_.substr(0, end + 2));
      pending_.erase(0, end + 2);
      if (next_ < replies_.size()) Answer(replies_[next_++]);
    }
  }
  ReceiveResult Receive(char* buffer, size_t capacity, unsigned waitMs) override {
    if (pieces_.empty()) return {closedByPeer_ ? ReceiveResult::kClosed : ReceiveResult::kTimedOut, 0};
    Piece& piece = pieces_.front();
    if (piece.dueMs > waitMs) {
      piece.dueMs -= waitMs;
      return {ReceiveResult::kTimedOut, 0};
    }
    piece.dueMs = 0;
    size_t count = std::min(capacity, piece.text.size());
    std::memcpy(buffer, piece.text.data(), count);
    piece.text.erase(0, count);
    if (piece.text.empty()) pieces_.pop_front();
    return {ReceiveResult::kData, count};
  }
  void Close() override { open = false; }

  bool open = false;
  std::vector<std::string> commands;  // each with its CR LF

 private:
  void Answer(const ServerReply& reply) {
    if (reply.kind == ServerReply::kSilent) return;
    if (reply.kind != ServerReply::kClose) {
      size_t from = 0;
      unsigned due = 0;
      for (size_t cut : reply.cuts) {
        cut = std::min(cut, reply.text.size());
        if (cut > from) pieces_.push_back({reply.text.substr(from, cut - from), due});
        from = std::max(from, cut);
        due = reply.gapMs;
      }
      if (from < reply.text.size()) pieces_.push_back({reply.text.substr(from), due});
    }
    if (reply.kind == ServerReply::kClose || reply.kind == ServerReply::kSendThenClose)
      closedByPeer_ = true;
  }

  struct Piece {
    std::string text;
    unsigned dueMs;  // after the previous piece, or for the wait still to run
  };

  std::vector<ServerReply> replies_;
  size_t next_ = 0;
  std::string pending_;
  std::deque<Piece> pieces_;
  bool closedByPeer_ = false;
};

}  // namespace marvella::test
