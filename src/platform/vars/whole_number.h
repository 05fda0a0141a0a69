#pragma once
// Numbers that become integers. A memory variable or a table field holds a double; casting one
// that is not a number, infinite or outside the integer's range is undefined behaviour (a NaN
// file number came out as -2147483648), so every such conversion goes through here.

#include <cmath>
#include <optional>
#include <type_traits>

namespace zur {

// `d` cut toward zero, as a cast cuts it, when the result lies within [lo, hi]; nothing for a
// NaN, an infinity or a number outside the range.
template <typename Int>
std::optional<Int> IntegerIn(double d, Int lo, Int hi) {
  static_assert(std::is_integral_v<Int> && sizeof(Int) <= 4, "bounds must be exact doubles");
  if (!std::isfinite(d)) return std::nullopt;
  const double whole = std::trunc(d);
  if (whole < static_cast<double>(lo) || whole > static_cast<double>(hi)) return std::nullopt;
  return static_cast<Int>(whole);
}

}  // namespace zur
