#include "lib/text/numeric_text.h"

#include <cmath>

#include <fmt/format.h>

#include "lib/text/trim_pad.h"

namespace zur::text {

double Val(std::string_view s) {
  s = LTrim(s);
  size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
  double whole = 0;
  double fraction = 0;
  double scale = 1;
  bool in_fraction = false;
  for (; i < s.size(); ++i) {
    char c = s[i];
    if (c >= '0' && c <= '9') {
      if (in_fraction) {
        scale /= 10;
        fraction += (c - '0') * scale;
      } else {
        whole = whole * 10 + (c - '0');
      }
    } else if (c == '.' && !in_fraction) {
      in_fraction = true;
    } else {
      break;
    }
  }
  double value = whole + fraction;
  return negative ? -value : value;
}

std::string WholeNumberText(double value) {
  if (!std::isfinite(value)) return "0";
  double rounded = std::round(value);
  if (rounded == 0) return "0";  // no "-0"
  return fmt::format("{:.0f}", rounded);
}

double CutComma(std::string_view quantity) {
  std::string digits;
  for (char c : RTrim(quantity))
    if (c != ',') digits.push_back(c);
  if (!digits.empty() && digits.back() == '-') return -Val(digits);
  return Val(digits);
}

}  // namespace zur::text
