#include "lib/format/market.h"

#include "lib/text/trim_pad.h"

namespace zur::format {

bool IsHkMarket(std::string_view code) {
  return text::IsBlank(code) || code.starts_with("HK") || code.starts_with("hk");
}

}  // namespace zur::format
