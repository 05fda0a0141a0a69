#include "platform/expr/number_text.h"

#include <charconv>
#include <cmath>
#include <string>

#include <fmt/format.h>

namespace zur::expr {

std::string FormatNumber(double value, int width, int decimals) {
  if (!std::isfinite(value)) return std::string(width, '*');
  double rounded = value;
  const double scale = std::pow(10.0, decimals);
  if (std::fabs(value) * scale < 1e15) rounded = std::round(value * scale) / scale;
  if (rounded == 0) rounded = 0;  // no "-0"
  std::string text = fmt::format("{:.{}f}", rounded, decimals);
  if (text.size() > static_cast<size_t>(width)) return std::string(width, '*');
  text.insert(0, width - text.size(), ' ');
  return text;
}

std::optional<double> ParseNumber(std::string_view text) {
  size_t i = text.find_first_not_of(' ');
  if (i == std::string_view::npos) return 0.0;
  bool negative = false;
  if (text[i] == '+' || text[i] == '-') negative = text[i++] == '-';
  std::string digits;
  bool point = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      digits.push_back(c);
    } else if (c == '.' && !point) {
      point = true;
      digits.push_back(c);
    } else {
      break;
    }
  }
  if (digits.empty() || digits == ".") return 0.0;
  double v = 0;
  auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), v);
  if (ec == std::errc::result_out_of_range) {
    // A tiny fraction reads as zero; digits beyond the range of a number are refused.
    const std::string_view whole = std::string_view(digits).substr(0, digits.find('.'));
    if (whole.find_first_not_of('0') == std::string_view::npos) return 0.0;
    return std::nullopt;
  }
  if (ec != std::errc()) return 0.0;
  return negative ? -v : v;
}

}  // namespace zur::expr
