#include "lib/text/numeric_text.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace zur::text
