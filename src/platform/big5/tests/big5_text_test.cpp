#include "platform/big5/big5_text.h"

#include <gtest/gtest.h>

namespace zur::big5 {
namespace {

TEST(Big5TextTest, Utf8ToBig5KeepsBig5CharactersAndMarksTheRest) {
  EXPECT_EQ(Utf8ToBig5("\xe4\xb8\xad\xe5\x9c\x8b ABC"), "\xa4\xa4\xb0\xea ABC");
  // An emoji has no Big5 form; a stray continuation byte is not UTF-8.
  EXPECT_EQ(Utf8ToBig5("a\xf0\x9f\x98\x80z"), "a?z");
  EXPECT_EQ(Utf8ToBig5("a\x80z", '_'), "a_z");
  // A sequence cut at the end.
  EXPECT_EQ(Utf8ToBig5("x\xe4\xb8"), "x?");
}

TEST(Big5TextTest, RoundTripOfAChineseName) {
  const std::string big5 = "\xb3\xaf\xa4\x6a\xa4\xe5";  // three characters
  EXPECT_EQ(Utf8ToBig5(Big5ToUtf8(big5)), big5);
}

}  // namespace
}  // namespace zur::big5
