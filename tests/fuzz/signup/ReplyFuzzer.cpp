// Server replies from hostile bytes, delivered in pieces of fuzzer-chosen sizes: the reply
// reader stays inside its 64000-byte buffer and the classifications agree with the words.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "signup/ReplyClassification.h"
#include "signup/ReplyReader.h"

using namespace marvella;

namespace {

// Plays the input as the peer: the first bytes choose piece sizes, the rest is the stream.
// The stream is repeated to reach past the buffer when the input asks for it.
class PieceChannel final : public LineChannel {
 public:
  PieceChannel(std::string_view sizes, std::string_view stream, size_t repeat)
      : sizes_(sizes), stream_(stream), repeat_(repeat) {}
  bool Connect(const char*, uint16_t, unsigned) override { return true; }
  void Send(const char*, size_t) override {}
  ReceiveResult Receive(char* buffer, size_t capacity, unsigned) override {
    size_t total = stream_.size() * repeat_;
    if (sent_ >= total) return {ReceiveResult::kClosed, 0};
    size_t piece =
        sizes_.empty() ? 1 : 1 + static_cast<unsigned char>(sizes_[next_++ % sizes_.size()]) * 97;
    if (piece > capacity) piece = capacity;
    if (piece > total - sent_) piece = total - sent_;
    for (size_t i = 0; i < piece; ++i) buffer[i] = stream_[(sent_ + i) % stream_.size()];
    sent_ += piece;
    return {ReceiveResult::kData, piece};
  }
  void Close() override {}

 private:
  std::string_view sizes_, stream_;
  size_t repeat_;
  size_t sent_ = 0, next_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  std::string_view input(reinterpret_cast<const char*>(data), size);
  size_t sizeBytes = static_cast<unsigned char>(input[0]) % 8;
  size_t repeat = (static_cast<unsigned char>(input[1]) & 0x80) ? 70000 / size + 1 : 1;
  input.remove_prefix(2);
  if (input.size() < sizeBytes || input.size() == sizeBytes) return 0;
  PieceChannel channel(input.substr(0, sizeBytes), input.substr(sizeBytes), repeat);
  ReplyTiming timing;
  ReplyReader reader(channel, timing);
  ReplyEnd end;
  std::string reply = reader.Receive(end);
  // This channel never makes anyone wait: every reply ends at its close or a bound.
  if (end == ReplyEnd::kNoFirstByte || end == ReplyEnd::kQuietInLine) std::abort();
  if (reply.size() >= ReplyReader::kBufferSize || reply.find('\0') != std::string::npos)
    std::abort();
  std::string_view stream = input.substr(sizeBytes);
  for (size_t i = 0; i < reply.size(); ++i)
    if (reply[i] != stream[i % stream.size()]) std::abort();

  std::string error;
  UserInfoReply u = ClassifyUserInfoReply(reply, error);
  bool ok = reply.compare(0, 2, "OK") == 0;
  if ((u == UserInfoReply::kAccepted) != ok) std::abort();
  if (u == UserInfoReply::kOther ? error != reply : !error.empty()) std::abort();
  GetUserReply g = ClassifyGetUserReply(reply, error);
  if ((g == GetUserReply::kUserData) != ok) std::abort();
  std::string_view after = TextAfterWord(reply, "ALREADYREG");
  if (after.size() > reply.size()) std::abort();
  return 0;
}
