// Name-server texts from install.ini and the server become the four bytes of an entry.
#include "dialup/ParseDottedAddress.h"

#include <gtest/gtest.h>

#include <string>

namespace marvella {
namespace {

std::string Parsed(const char* text) {
  RASIPADDR a{9, 9, 9, 9};  // whatever was there before is replaced
  ParseDottedAddress(text, a);
  return std::to_string(a.a) + "." + std::to_string(a.b) + "." + std::to_string(a.c) + "." +
         std::to_string(a.d);
}

TEST(ParseDottedAddress, ReadsEachPieceIntoItsByteAndKeepsTheLowEightBits) {
  EXPECT_EQ("10.0.0.1", Parsed("10.0.0.1"));
  EXPECT_EQ("194.179.1.100", Parsed("194.179.1.100"));
  EXPECT_EQ("44.1.1.1", Parsed("300.1.1.1"));
  EXPECT_EQ("1.2.3.4", Parsed("1.2.3.4.5"));  // pieces after the fourth dropped
  EXPECT_EQ("0.0.0.0", Parsed(""));
  EXPECT_EQ("0.0.0.0", Parsed(nullptr));
  EXPECT_EQ("7.0.0.0", Parsed("7"));  // no "." sets only the first byte
  EXPECT_EQ("1.0.3.0", Parsed("1..3"));
}

TEST(ParseDottedAddress, ForgivesWhatTheRuntimeConversionForgave) {
  EXPECT_EQ("1.2.255.0", Parsed(" 1.\t+2.-1.x"));  // blanks, signs, no digits
  EXPECT_EQ("12.34.0.0", Parsed("12abc.34 .z"));   // trailing junk after the digits
  // Arbitrarily long digit runs never overflow: only the low 8 bits count.
  EXPECT_EQ("255.1.0.0", Parsed("99999999999999999999.1"));
}

}  // namespace
}  // namespace marvella
