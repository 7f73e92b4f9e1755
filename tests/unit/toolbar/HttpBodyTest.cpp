// Response bodies: the size from the length header, bounded, and whole reads over a
// connection that hands the body over in pieces.
#include "toolbar/HttpBody.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

using marvella::BodySource;
using marvella::ExpectedBodySize;
using marvella::ReadBody;

namespace {

// A body that arrives at most `piece` bytes per read, then ends (or fails).
class Pieces : public BodySource {
 public:
  Pieces(std::string body, std::size_t piece, bool failAtEnd = false)
      : body_(std::move(body)), piece_(piece), failAtEnd_(failAtEnd) {}
  bool Read(char* buffer, std::size_t size, std::size_t* got) override {
    ++reads;
    std::size_t n = std::min({size, piece_, body_.size() - at_});
    if (n == 0 && failAtEnd_) return false;
    std::memcpy(buffer, body_.data() + at_, n);
    at_ += n;
    *got = n;
    return true;
  }
  int reads = 0;

 private:
  std::string body_;
  std::size_t piece_;
  bool failAtEnd_;
  std::size_t at_ = 0;
};

std::string Read(BodySource& source, std::size_t expected, bool exact, bool* ok) {
  char* bytes;
  std::size_t size;
  *ok = ReadBody(source, expected, exact, &bytes, &size);
  if (!*ok) return std::string();
  std::string body(bytes, size);
  std::free(bytes);
  return body;
}

}  // namespace

TEST(HttpBody, ALengthHeaderIsBoundedOutsideInputAndByTheDownloadsOwnBound) {
  const std::size_t mb4 = marvella::kLargestBody, kb64 = marvella::kLargestBookmarksBody;
  const struct {
    bool header;
    const char* length;
    std::size_t largest;
    std::size_t size;  // 0: the download fails
  } cases[] = {
      {false, "", mb4, 65000},  // no header: room for 65000, not for the bound
      {false, "", kb64, 65000},
      {false, "", 1000, 1000},
      {false, "", 0, 0},
      {true, "1234", mb4, 1234},
      {true, "4194304", mb4, 4194304},  // 4 MiB: the ceiling itself
      {true, "4194305", mb4, 0},
      {true, "65536", kb64, 65536},
      {true, "65537", kb64, 0},  // a bookmarks file that big is no bookmarks file
      {true, "99999999999999", mb4, 0},
      {true, "-5", mb4, 0},
      {true, "0", mb4, 0},
      {true, "abc", mb4, 0},
  };
  for (const auto& c : cases) {
    std::size_t size = 0;
    EXPECT_EQ(c.size != 0, ExpectedBodySize(c.header, c.length, c.largest, &size))
        << c.length << " " << c.largest;
    if (c.size) {
      EXPECT_EQ(c.size, size) << c.length << " " << c.largest;
    }
  }
}

TEST(HttpBody, PiecesAreReadUntilTheWholeBodyIsThere) {
  std::string body(70000, 'x');
  body[69999] = 'z';
  Pieces source(body, 1460);
  bool ok;
  EXPECT_EQ(body, Read(source, 70000, true, &ok));
  EXPECT_TRUE(ok);
  EXPECT_GT(source.reads, 40);
}

TEST(HttpBody, ABodyEndingBeforeItsLengthIsNotTheBody) {
  bool ok;
  Pieces cut(std::string(500, 'x'), 100);
  Read(cut, 1000, true, &ok);
  EXPECT_FALSE(ok);
  Pieces failing(std::string(500, 'x'), 100, true);
  Read(failing, 1000, false, &ok);
  EXPECT_FALSE(ok);  // a failed read is a failed download, length or not
}

TEST(HttpBody, WithoutALengthTheBodyMustEndWithinItsRoom) {
  bool ok;
  Pieces shortBody(std::string(3000, 's'), 512);
  EXPECT_EQ(3000u, Read(shortBody, 65000, false, &ok).size());
  EXPECT_TRUE(ok);
  Pieces exactBody(std::string(65000, 'e'), 4096);
  EXPECT_EQ(65000u, Read(exactBody, 65000, false, &ok).size());
  EXPECT_TRUE(ok);
  // Cut at the room, it would be stored as if whole (a chunked bookmarks file, say).
  Pieces longBody(std::string(65001, 'l'), 4096);
  Read(longBody, 65000, false, &ok);
  EXPECT_FALSE(ok);
  Pieces failingAfter(std::string(65000, 'f'), 4096, true);
  Read(failingAfter, 65000, false, &ok);
  EXPECT_FALSE(ok);  // nor one whose end could not be read
}
