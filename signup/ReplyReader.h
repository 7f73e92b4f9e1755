// Reads one reply of the user server into the conversation's 64000-byte buffer.
// TCP delivers a reply in pieces (a dial-up link splits anything above a few hundred bytes),
// so one receive is not a reply: pieces are joined until the reply ends with a line feed and
// the line stays quiet for a short grace, or the peer closes. A reply without a final line
// feed ends after a longer quiet. What does not fit the buffer is read and dropped, up to a
// bound, so the next command gets its own reply. No wait is endless, and each reply says how
// it ended: only a whole one may be answered, since after any other the rest of it may still
// come and would be read as the next command's reply.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "signup/LineChannel.h"

namespace marvella {

struct ReplyTiming {
  unsigned connectMs = 30000;      // connect gives up (fails like a refused connection)
  unsigned firstByteMs = 60000;    // no first byte: the reply is empty
  unsigned graceMs = 200;          // after a line feed: more lines may follow
  unsigned quietMs = 2000;         // after a piece that does not end a line
  unsigned wholeReplyMs = 180000;  // a trickling peer is cut off
};

// How a reply ended. Only the first two leave a whole reply on a line still in step.
enum class ReplyEnd : unsigned char {
  kLineEnded,        // a line feed, then the short quiet
  kClosedAfterLine,  // the peer closed after a line feed
  kNoFirstByte,      // nothing came within the first wait
  kQuietInLine,      // a pause inside a line, longer than the quiet
  kWholeReplyBound,  // the reply went on past its bound
  kDrainBound,       // past the buffer, more than kDrainLimit bytes came
  kClosedInLine,     // the peer closed before a line ended (or before anything came)
  kBroken,           // the connection broke
};

inline bool IsWholeReply(ReplyEnd end) {
  return end == ReplyEnd::kLineEnded || end == ReplyEnd::kClosedAfterLine;
}

class ReplyReader {
 public:
  static constexpr size_t kBufferSize = 64000;    // the terminating zero stays inside
  static constexpr size_t kDrainLimit = 1 << 20;  // bytes dropped after a full buffer

  ReplyReader(LineChannel& channel, const ReplyTiming& timing);

  // Receives one reply and returns it: the text from its first byte up to the first zero
  // byte, at most kBufferSize - 1 bytes. An empty text when nothing came. `end` says how
  // the reply ended.
  std::string Receive(ReplyEnd& end);

 private:
  LineChannel& channel_;
  ReplyTiming timing_;
  std::unique_ptr<char[]> buffer_;
};

}  // namespace marvella
