#include "lib/text/numeric_text.h"

#include <gtest/gtest.h>

#include "lib/text/trim_pad.h"

namespace zur::text {
namespace {

TEST(CutComma, ReportQuantities) {
  EXPECT_EQ(CutComma(" 12,345,678 "), 12345678);
  EXPECT_EQ(CutComma("1,000-"), -1000);
  EXPECT_EQ(CutComma("1,234-   "), -1234);
  EXPECT_EQ(CutComma("-1,234"), -1234);
  EXPECT_EQ(CutComma(""), 0);
  EXPECT_EQ(CutComma("N/A"), 0);
  EXPECT_EQ(CutComma("-"), 0);
  EXPECT_DOUBLE_EQ(CutComma("1,234.50"), 1234.5);
}

TEST(Val, StopsAtTheFirstForeignCharacter) {
  EXPECT_EQ(Val("   42abc"), 42);
  EXPECT_EQ(Val("1 2"), 1);
  EXPECT_EQ(Val("+7"), 7);
  EXPECT_DOUBLE_EQ(Val("-3.25.1"), -3.25);
  EXPECT_EQ(Val("abc"), 0);
}

TEST(WholeNumberText, RoundsAndDropsNegativeZero) {
  EXPECT_EQ(WholeNumberText(12), "12");
  EXPECT_EQ(WholeNumberText(2.5), "3");
  EXPECT_EQ(WholeNumberText(-2.5), "-3");
  EXPECT_EQ(WholeNumberText(-0.2), "0");
  EXPECT_EQ(WholeNumberText(1e20), "100000000000000000000");
}

TEST(TrimPad, BlanksOnlyAndCutWhenTooLong) {
  EXPECT_EQ(AllTrim("  a b \t "), "a b \t");
  EXPECT_EQ(PadR("abc", 5), "abc  ");
  EXPECT_EQ(PadR("abcdef", 2), "ab");
  EXPECT_EQ(PadL("5", 3, '0'), "005");
  EXPECT_EQ(PadL("12345", 3), "123");
  EXPECT_TRUE(IsBlank("   "));
  EXPECT_FALSE(IsBlank(" x "));
}

}  // namespace
}  // namespace zur::text
