#pragma once

#include <string>
#include <string_view>

namespace zur::pdf {

// Converts report text in Big5 (with the Hong Kong supplement) to UTF-8 for
// rendering. Bytes that are not valid Big5 become U+FFFD, so a damaged report
// still prints the rest of its line.
std::string Big5ToUtf8(std::string_view big5);

// True when byte c starts a two-byte Big5 character.
constexpr bool IsBig5Lead(unsigned char c) {
  return c >= 0x81 && c <= 0xfe;
}

}  // namespace zur::pdf
