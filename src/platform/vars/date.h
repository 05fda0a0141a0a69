#pragma once
// Calendar dates as xBase keeps them: a day number, or the blank date.

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zur {

class Date {
 public:
  Date() = default;  // the blank date

  // A valid proleptic Gregorian date (year 1..9999), or nothing.
  static std::optional<Date> FromYmd(int year, int month, int day);
  // From the Julian day number that dBASE stores (JDN 2415021 is 1900-01-01).
  static Date FromJulianDay(int64_t jdn);
  // "YYYYMMDD"; eight blanks (or an empty text) give the blank date; anything else nothing.
  static std::optional<Date> FromDtos(std::string_view text);
  // Today's date in the local time zone.
  static Date Today();
  // The year of a two-digit year: "86" to "99" are 1986-1999, "00" to "85" are 2000-2085.
  static int YearOfTwoDigits(int two_digit_year);

  bool IsBlank() const { return days_ == kBlank; }
  int Year() const;
  int Month() const;
  int Day() const;
  // 0 = Sunday .. 6 = Saturday; the blank date gives -1.
  int DayOfWeek() const;
  int64_t JulianDay() const;  // 0 for the blank date

  // "YYYYMMDD", or eight blanks for the blank date.
  std::string Dtos() const;

  // Day arithmetic; the blank date stays blank.
  Date AddDays(int64_t n) const;
  // Days between two dates (this - other); 0 if either is blank.
  int64_t DaysSince(const Date& other) const;

  friend bool operator==(const Date&, const Date&) = default;
  // The blank date sorts before every real date, as in xBase.
  friend std::strong_ordering operator<=>(const Date& a, const Date& b) {
    return a.days_ <=> b.days_;
  }

 private:
  static constexpr int64_t kBlank = INT64_MIN;
  explicit Date(int64_t days) : days_(days) {}
  int64_t days_ = kBlank;  // days since 1970-01-01
};

}  // namespace zur
