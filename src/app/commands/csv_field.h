#pragma once
// One value of a CSV line.

#include <string>
#include <string_view>

namespace zur::commands {

// `text` as a CSV field: quoted (with doubled quotes) when it holds a comma, a quote, a line
// break or leading or trailing blanks; otherwise unchanged.
std::string CsvField(std::string_view text);

}  // namespace zur::commands
