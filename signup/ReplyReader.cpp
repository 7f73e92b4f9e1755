// Reply reassembly over a line channel.
#include "signup/ReplyReader.h"

#include <cstring>

#include "common/MonotonicClock.h"

namespace marvella {

ReplyReader::ReplyReader(LineChannel& channel, const ReplyTiming& timing)
    : channel_(channel), timing_(timing), buffer_(new char[kBufferSize]) {}

std::string ReplyReader::Receive() {
  char* buffer = buffer_.get();
  std::memset(buffer, 0, kBufferSize);
  const size_t limit = kBufferSize - 1;
  // Past the buffer the rest of an overlong reply is read and dropped, so that it does not
  // become the next command's reply; a peer that never stops is cut off all the same.
  char scratch[2048];
  size_t used = 0;
  size_t dropped = 0;
  unsigned wait = timing_.firstByteMs;
  std::uint32_t firstByteAt = 0;
  while (used < limit || dropped < kDrainLimit) {
    if (used > 0) {
      // After the first byte the whole reply has a bound of its own.
      std::uint32_t elapsed = MonotonicMs() - firstByteAt;  // wraps harmlessly
      if (elapsed >= timing_.wholeReplyMs) break;
      std::uint32_t left = timing_.wholeReplyMs - elapsed;
      if (left < wait) wait = left;
    }
    const bool full = used == limit;
    char* into = full ? scratch : buffer + used;
    size_t room = full ? sizeof scratch : limit - used;
    ReceiveResult r = channel_.Receive(into, room, wait);
    if (r.status != ReceiveResult::kData || r.count == 0) break;
    size_t count = r.count < room ? r.count : room;
    if (used == 0) firstByteAt = MonotonicMs();
    if (full)
      dropped += count;
    else
      used += count;
    wait = into[count - 1] == '\n' ? timing_.graceMs : timing_.quietMs;
  }
  const void* zero = std::memchr(buffer, '\0', used);
  return std::string(buffer, zero ? static_cast<const char*>(zero) - buffer : used);
}

}  // namespace marvella
