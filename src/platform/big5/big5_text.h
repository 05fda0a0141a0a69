#pragma once
// Big5 text (with the Hong Kong supplement, as code page 950 has it) as the program keeps it in
// its data, and its conversion to and from UTF-8 for the printer and the terminal.

#include <string>
#include <string_view>

namespace zur::big5 {

// Converts Big5 text to UTF-8. Bytes that are not valid Big5 become U+FFFD, so a damaged
// text still shows the rest of its line.
std::string Big5ToUtf8(std::string_view big5);

// Converts UTF-8 text to Big5. A character that Big5 cannot hold, or a byte that is not
// valid UTF-8, becomes `replacement`.
std::string Utf8ToBig5(std::string_view utf8, char replacement = '?');

// True when byte c starts a two-byte Big5 character.
constexpr bool IsBig5Lead(unsigned char c) {
  return c >= 0x81 && c <= 0xfe;
}

}  // namespace zur::big5
