#include "lib/format/date_text.h"

#include <gtest/gtest.h>

namespace zur::format {
namespace {

Date Ymd(int y, int m, int d) {
  return *Date::FromYmd(y, m, d);
}

TEST(DateText, ReportAndScreenForms) {
  EXPECT_EQ(Dmyy(Ymd(2007, 6, 6)), "06/06/2007");
  EXPECT_EQ(Dmyy(Date()), "  /  /    ");
  EXPECT_EQ(FullDate(Ymd(2007, 6, 6)), " 6 Jun 2007");
  EXPECT_EQ(FullDate(Ymd(2025, 12, 24)), "24 Dec 2025");
  EXPECT_EQ(FullDate(Date()), "");
  EXPECT_EQ(ShortDate(Ymd(2007, 6, 6)), "06-Jun-07");
  EXPECT_EQ(ShortDate(Date()), "");
}

TEST(DateConv, CcassReportDates) {
  EXPECT_EQ(DateConv("06JUN07"), Ymd(2007, 6, 6));
  EXPECT_EQ(DateConv("  31DEC99"), Ymd(1999, 12, 31));
  // Two-digit years from 1986 to 2085.
  EXPECT_EQ(DateConv("01JAN86"), Ymd(1986, 1, 1));
  EXPECT_EQ(DateConv("31DEC85"), Ymd(2085, 12, 31));
  EXPECT_EQ(DateConv("01JAN60"), Ymd(2060, 1, 1));
  EXPECT_TRUE(DateConv("06XXX07").IsBlank());
  EXPECT_TRUE(DateConv("31FEB07").IsBlank());
  EXPECT_TRUE(DateConv("6JUN07").IsBlank());
  EXPECT_TRUE(DateConv("").IsBlank());
}

TEST(Fdmy, NormalisesTypedDates) {
  EXPECT_EQ(Fdmy("060607"), "06/06/07");
  EXPECT_EQ(Fdmy("06062007"), "06/06/07");
  EXPECT_EQ(Fdmy("06/06/07 "), "06/06/07");
  EXPECT_FALSE(Fdmy("310207"));
  EXPECT_FALSE(Fdmy("        "));
  EXPECT_FALSE(Fdmy("06-06-07"));
  EXPECT_FALSE(Fdmy("0606"));
}

}  // namespace
}  // namespace zur::format
