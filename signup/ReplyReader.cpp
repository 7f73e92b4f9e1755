// Reply reassembly over a line channel.
#include "signup/ReplyReader.h"

#include <cstring>

#include "common/MonotonicClock.h"

namespace marvella {

ReplyReader::ReplyReader(LineChannel& channel, const ReplyTiming& timing)
    : channel_(channel), timing_(timing), buffer_(new char[kBufferSize]) {}

std::string ReplyReader::Receive(ReplyEnd& end) {
  char* buffer = buffer_.get();
  std::memset(buffer, 0, kBufferSize);
  const size_t limit = kBufferSize - 1;
  // Past the buffer the rest of an overlong reply is read and dropped, so that it does not
  // become the next command's reply; a peer that never stops is cut off all the same.
  char scratch[2048];
  size_t used = 0;
  size_t dropped = 0;
  bool lineEnded = false;  // the last byte received was a line feed
  unsigned wait = timing_.firstByteMs;
  std::uint32_t start = 0;  // when the first byte came
  for (;;) {
    if (dropped >= kDrainLimit) {
      end = ReplyEnd::kDrainBound;
      break;
    }
    bool cutShort = false;  // this wait ends at the whole-reply bound
    if (used > 0) {
      // After the first byte the whole reply has a bound of its own.
      std::uint32_t spent = MonotonicMs() - start;
      if (spent >= timing_.wholeReplyMs) {
        end = ReplyEnd::kWholeReplyBound;
        break;
      }
      unsigned left = static_cast<unsigned>(timing_.wholeReplyMs - spent);
      if (left < wait) {
        wait = left;
        cutShort = true;
      }
    }
    const bool full = used == limit;
    char* into = full ? scratch : buffer + used;
    size_t room = full ? sizeof scratch : limit - used;
    ReceiveResult r = channel_.Receive(into, room, wait);
    if (r.status == ReceiveResult::kTimedOut) {
      if (used == 0)
        end = ReplyEnd::kNoFirstByte;
      else if (cutShort)
        end = ReplyEnd::kWholeReplyBound;
      else
        end = lineEnded ? ReplyEnd::kLineEnded : ReplyEnd::kQuietInLine;
      break;
    }
    if (r.status == ReceiveResult::kClosed) {
      end = lineEnded ? ReplyEnd::kClosedAfterLine : ReplyEnd::kClosedInLine;
      break;
    }
    if (r.status != ReceiveResult::kData || r.count == 0) {
      end = ReplyEnd::kBroken;
      break;
    }
    size_t count = r.count < room ? r.count : room;
    if (used == 0) start = MonotonicMs();
    if (full)
      dropped += count;
    else
      used += count;
    lineEnded = into[count - 1] == '\n';
    wait = lineEnded ? timing_.graceMs : timing_.quietMs;
  }
  const void* zero = std::memchr(buffer, '\0', used);
  return std::string(buffer, zero ? static_cast<const char*>(zero) - buffer : used);
}

}  // namespace marvella
