#pragma once
// Splitting a delimited list text into its pieces.

#include <string>
#include <string_view>
#include <vector>

namespace zur::compat {

// The pieces between delimiters, in order; the text after the last delimiter is the last piece
// (an empty text gives one empty piece). An empty delimiter gives the whole text.
std::vector<std::string> ListAsArray(std::string_view list, std::string_view delim = ",");

}  // namespace zur::compat
