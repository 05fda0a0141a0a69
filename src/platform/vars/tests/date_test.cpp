#include "platform/vars/date.h"

#include <gtest/gtest.h>

namespace zur {
namespace {

TEST(Date, BlankDateIsDefaultAndSortsFirst) {
  Date blank;
  EXPECT_TRUE(blank.IsBlank());
  EXPECT_EQ(blank.Dtos(), "        ");
  EXPECT_EQ(blank.JulianDay(), 0);
  EXPECT_LT(blank, *Date::FromYmd(1, 1, 1));
  EXPECT_TRUE(blank.AddDays(5).IsBlank());
}

TEST(Date, ValidatesCalendar) {
  EXPECT_TRUE(Date::FromYmd(2000, 2, 29));
  EXPECT_FALSE(Date::FromYmd(1900, 2, 29));
  EXPECT_FALSE(Date::FromYmd(2023, 4, 31));
  EXPECT_FALSE(Date::FromYmd(2023, 13, 1));
  EXPECT_FALSE(Date::FromYmd(0, 1, 1));
}

TEST(Date, DtosRoundTripsAndRejectsGarbage) {
  auto d = Date::FromDtos("20070606");
  ASSERT_TRUE(d);
  EXPECT_EQ(d->Year(), 2007);
  EXPECT_EQ(d->Month(), 6);
  EXPECT_EQ(d->Day(), 6);
  EXPECT_EQ(d->Dtos(), "20070606");
  EXPECT_TRUE(Date::FromDtos("        ")->IsBlank());
  EXPECT_FALSE(Date::FromDtos("2007066"));
  EXPECT_FALSE(Date::FromDtos("2007-6-6"));
  EXPECT_FALSE(Date::FromDtos("20070231"));
}

TEST(Date, JulianDayMatchesDbaseEpoch) {
  EXPECT_EQ(Date::FromJulianDay(2415021).Dtos(), "19000101");
  EXPECT_EQ(Date::FromYmd(2026, 12, 8)->JulianDay(), 2461383);
  EXPECT_TRUE(Date::FromJulianDay(0).IsBlank());
}

TEST(Date, ArithmeticAcrossMonthAndYearEnds) {
  Date d = *Date::FromYmd(2024, 12, 31);
  EXPECT_EQ(d.AddDays(1).Dtos(), "20250101");
  EXPECT_EQ(Date::FromYmd(2024, 3, 1)->AddDays(-1).Dtos(), "20240229");
  EXPECT_EQ(Date::FromYmd(2025, 1, 1)->DaysSince(d), 1);
  EXPECT_EQ(Date::FromYmd(2026, 12, 8)->DayOfWeek(), 2);  // a Tuesday
}

}  // namespace
}  // namespace zur
