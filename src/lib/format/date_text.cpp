#include "lib/format/date_text.h"

#include <fmt/format.h>

#include <array>

#include "lib/text/trim_pad.h"

namespace zur::format {
namespace {

constexpr std::array<std::string_view, 12> kMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

bool AllDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

int Number(std::string_view digits) {
  int n = 0;
  for (char c : digits) n = n * 10 + (c - '0');
  return n;
}

std::string_view MonthName(Date d) {
  return kMonthNames[static_cast<size_t>(d.Month() - 1)];
}

}  // namespace

std::string Dmyy(Date date) {
  if (date.IsBlank()) return "  /  /    ";
  return fmt::format("{:02}/{:02}/{:04}", date.Day(), date.Month(), date.Year());
}

std::string FullDate(Date date) {
  if (date.IsBlank()) return "";
  return fmt::format("{:2} {} {:04}", date.Day(), MonthName(date), date.Year());
}

std::string ShortDate(Date date) {
  if (date.IsBlank()) return "";
  return fmt::format("{:02}-{}-{:02}", date.Day(), MonthName(date), date.Year() % 100);
}

Date DateConv(std::string_view text) {
  std::string_view t = text::LTrim(text);
  if (t.size() < 7) return Date();
  std::string_view day = t.substr(0, 2), year = t.substr(5, 2);
  std::string month = text::Upper(t.substr(2, 3));
  if (!AllDigits(day) || !AllDigits(year)) return Date();
  for (size_t m = 0; m < kMonthNames.size(); ++m) {
    if (text::Upper(kMonthNames[m]) != month) continue;
    auto d =
        Date::FromYmd(Date::YearOfTwoDigits(Number(year)), static_cast<int>(m) + 1, Number(day));
    return d ? *d : Date();
  }
  return Date();
}

std::optional<std::string> Fdmy(std::string_view typed) {
  std::string_view t = text::AllTrim(typed);
  // Offsets of the day, month and 2-digit year in the typed text.
  size_t month_at = 0, year_at = 0;
  if (t.size() == 6) {
    month_at = 2, year_at = 4;
  } else if (t.size() == 8 && t.find('/') == std::string_view::npos) {
    month_at = 2, year_at = 6;
  } else if (t.size() == 8 && t[2] == '/' && t[5] == '/') {
    month_at = 3, year_at = 6;
  } else {
    return std::nullopt;
  }
  std::string_view dd = t.substr(0, 2), mm = t.substr(month_at, 2), yy = t.substr(year_at, 2);
  if (!AllDigits(dd) || !AllDigits(mm) || !AllDigits(yy)) return std::nullopt;
  if (!Date::FromYmd(Date::YearOfTwoDigits(Number(yy)), Number(mm), Number(dd)))
    return std::nullopt;
  return fmt::format("{}/{}/{}", dd, mm, yy);
}

}  // namespace zur::format
