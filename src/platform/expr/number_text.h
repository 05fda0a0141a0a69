#pragma once
// Numbers as text: STR() and VAL().

#include <optional>
#include <string>
#include <string_view>

namespace zur::expr {

// `value` rounded half away from zero to `decimals` places and right-justified in `width`
// characters; a value that does not fit (or is not a number) gives `width` asterisks.
std::string FormatNumber(double value, int width, int decimals);

// The number at the start of `text`: leading blanks, an optional sign, digits and an
// optional decimal part; reading stops at the first other character ("12AB" is 12, "" is 0).
// Nothing when the digits exceed the range of a number.
std::optional<double> ParseNumber(std::string_view text);

}  // namespace zur::expr
