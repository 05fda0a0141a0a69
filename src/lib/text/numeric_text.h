#pragma once
// Reading numbers written as text, the way xBase VAL() reads them.

#include <string>
#include <string_view>

namespace zur::text {

// The number at the start of `s`: leading blanks skipped, an optional sign, digits and one
// decimal point; reading stops at the first other character. No digits give 0.
double Val(std::string_view s);

// A whole number as decimal digits (rounded half away from zero), without padding.
std::string WholeNumberText(double value);

// Report quantities and amounts ("12,345,678", "1,000-", "-1,234"): trailing blanks and every
// comma are dropped; a trailing "-" makes the number negative. Text without digits gives 0.
double CutComma(std::string_view quantity);

}  // namespace zur::text
