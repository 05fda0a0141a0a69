#include "platform/expr/date_text.h"

#include <fmt/format.h>

namespace zur::expr {

std::string FormatDate(const Date& d) {
  if (d.IsBlank()) return "  /  /  ";
  return fmt::format("{:02}/{:02}/{:02}", d.Day(), d.Month(), d.Year() % 100);
}

namespace {

// Reads 1 to `max_digits` digits at `i`; false when there are none or too many.
bool ReadPart(std::string_view s, size_t& i, size_t max_digits, int& out, size_t& digits) {
  out = 0;
  digits = 0;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
    if (++digits > max_digits) return false;
    out = out * 10 + (s[i] - '0');
    ++i;
  }
  return digits > 0;
}

}  // namespace

Date ParseDate(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return Date();
  text = text.substr(first, text.find_last_not_of(' ') + 1 - first);
  size_t i = 0, digits = 0;
  int day = 0, month = 0, year = 0;
  if (!ReadPart(text, i, 2, day, digits) || i >= text.size() || text[i++] != '/') return Date();
  if (!ReadPart(text, i, 2, month, digits) || i >= text.size() || text[i++] != '/') {
    return Date();
  }
  if (!ReadPart(text, i, 4, year, digits) || i != text.size()) return Date();
  if (digits <= 2) year = Date::YearOfTwoDigits(year);
  return Date::FromYmd(year, month, day).value_or(Date());
}

}  // namespace zur::expr
