#include "platform/expr/text_compare.h"

#include <algorithm>
#include <cstring>

namespace zur::expr {

int CompareNonExact(std::string_view left, std::string_view right) {
  const size_t common = std::min(left.size(), right.size());
  if (common > 0) {
    const int c = std::memcmp(left.data(), right.data(), common);
    if (c != 0) return c;
  }
  // The left text is blank-padded to the right one's length.
  for (size_t i = common; i < right.size(); ++i) {
    const unsigned char r = static_cast<unsigned char>(right[i]);
    if (r != ' ') return r > ' ' ? -1 : 1;
  }
  return 0;
}

int CompareExact(std::string_view left, std::string_view right) {
  const int c = left.compare(right);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

}  // namespace zur::expr
