#include "platform/vars/date.h"

#include <cstdio>
#include <ctime>

namespace zur {
namespace {

// Howard Hinnant's civil-from-days algorithms, on days since 1970-01-01.
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

struct Civil {
  int64_t y;
  unsigned m, d;
};

Civil CivilFromDays(int64_t z) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t y = static_cast<int64_t>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  return {y + (m <= 2), m, d};
}

constexpr int64_t kJdnOfEpoch = 2440588;  // 1970-01-01

bool IsLeap(int y) {
  return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

}  // namespace

std::optional<Date> Date::FromYmd(int year, int month, int day) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return std::nullopt;
  const int last = kDays[month - 1] + (month == 2 && IsLeap(year) ? 1 : 0);
  if (day > last) return std::nullopt;
  return Date(DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)));
}

Date Date::FromJulianDay(int64_t jdn) {
  if (jdn <= 0) return Date();
  return Date(jdn - kJdnOfEpoch);
}

int Date::YearOfTwoDigits(int two_digit_year) {
  constexpr int kEpoch = 1986;  // the first year that two digits stand for
  const int year = 1900 + two_digit_year;
  return year < kEpoch ? year + 100 : year;
}

std::optional<Date> Date::FromDtos(std::string_view text) {
  if (text.find_first_not_of(' ') == std::string_view::npos) return Date();
  if (text.size() != 8) return std::nullopt;
  int v[3] = {0, 0, 0};
  const int widths[3] = {4, 2, 2};
  size_t pos = 0;
  for (int i = 0; i < 3; ++i) {
    for (int k = 0; k < widths[i]; ++k, ++pos) {
      const char c = text[pos];
      if (c < '0' || c > '9') return std::nullopt;
      v[i] = v[i] * 10 + (c - '0');
    }
  }
  return FromYmd(v[0], v[1], v[2]);
}

Date Date::Today() {
  const std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  return *FromYmd(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
}

int Date::Year() const {
  return IsBlank() ? 0 : static_cast<int>(CivilFromDays(days_).y);
}
int Date::Month() const {
  return IsBlank() ? 0 : static_cast<int>(CivilFromDays(days_).m);
}
int Date::Day() const {
  return IsBlank() ? 0 : static_cast<int>(CivilFromDays(days_).d);
}

int Date::DayOfWeek() const {
  if (IsBlank()) return -1;
  const int64_t w = (days_ + 4) % 7;  // 1970-01-01 was a Thursday
  return static_cast<int>(w < 0 ? w + 7 : w);
}

int64_t Date::JulianDay() const {
  return IsBlank() ? 0 : days_ + kJdnOfEpoch;
}

std::string Date::Dtos() const {
  if (IsBlank()) return std::string(8, ' ');
  const Civil c = CivilFromDays(days_);
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04d%02u%02u", static_cast<int>(c.y), c.m, c.d);
  return buf;
}

Date Date::AddDays(int64_t n) const {
  return IsBlank() ? Date() : Date(days_ + n);
}

int64_t Date::DaysSince(const Date& other) const {
  if (IsBlank() || other.IsBlank()) return 0;
  return days_ - other.days_;
}

}  // namespace zur
