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

TEST(HttpBody, ALengthHeaderIsBoundedOutsideInput) {
  std::size_t size = 0;
  ASSERT_TRUE(ExpectedBodySize(false, "", &size));
  EXPECT_EQ(65000u, size);
  ASSERT_TRUE(ExpectedBodySize(true, "1234", &size));
  EXPECT_EQ(1234u, size);
  ASSERT_TRUE(ExpectedBodySize(true, "4194304", &size));  // 4 MiB: the ceiling itself
  EXPECT_FALSE(ExpectedBodySize(true, "4194305", &size));
  EXPECT_FALSE(ExpectedBodySize(true, "99999999999999", &size));
  EXPECT_FALSE(ExpectedBodySize(true, "-5", &size));
  EXPECT_FALSE(ExpectedBodySize(true, "0", &size));
  EXPECT_FALSE(ExpectedBodySize(true, "abc", &size));
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

TEST(HttpBody, WithoutALengthTheBodyEndsWithTheDataOrAt65000Bytes) {
  bool ok;
  Pieces shortBody(std::string(3000, 's'), 512);
  EXPECT_EQ(3000u, Read(shortBody, 65000, false, &ok).size());
  EXPECT_TRUE(ok);
  Pieces longBody(std::string(70000, 'l'), 4096);
  EXPECT_EQ(65000u, Read(longBody, 65000, false, &ok).size());
  EXPECT_TRUE(ok);
}
