#pragma once
// Hong Kong market and currency codes.

#include <string_view>

namespace zur::format {

// True when the code is blank or begins with "HK" or "hk".
bool IsHkMarket(std::string_view code);
// The same test for a currency code.
inline bool IsHkCurrency(std::string_view code) {
  return IsHkMarket(code);
}

}  // namespace zur::format
