#pragma once
// Dates as the program shows and reads them: British order with the century, DD/MM/YYYY.
// This is the one place that format is decided.

#include <string>
#include <string_view>

#include "platform/vars/date.h"

namespace zur::expr {

// "08/12/2026"; the blank date gives "  /  /    ".
std::string FormatDate(const Date& d);
// "DD/MM/YYYY", or "DD/MM/YY" with years 00-49 in 2000-2049 and 50-99 in 1950-1999; blanks
// around the text are ignored. Anything that is not a valid date gives the blank date.
Date ParseDate(std::string_view text);

}  // namespace zur::expr
