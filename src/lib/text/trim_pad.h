#pragma once
// Blank trimming and padding of texts, as xBase texts are trimmed and padded: only the blank
// (character 32) counts as white space, and a pad to a shorter width cuts on the right.

#include <cstddef>
#include <string>
#include <string_view>

namespace zur::text {

std::string_view RTrim(std::string_view s);
std::string_view LTrim(std::string_view s);
std::string_view AllTrim(std::string_view s);
bool IsBlank(std::string_view s);  // empty or blanks only

// `s` padded on the right with `fill` to `width`, or its first `width` characters.
std::string PadR(std::string_view s, size_t width, char fill = ' ');
// `s` padded on the left with `fill` to `width`, or its first `width` characters.
std::string PadL(std::string_view s, size_t width, char fill = ' ');

// ASCII upper case.
std::string Upper(std::string_view s);

}  // namespace zur::text
