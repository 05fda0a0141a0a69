#pragma once
// Dates as the program shows and reads them: British order without the century, DD/MM/YY.
// This is the one place that format is decided.

#include <string>
#include <string_view>

#include "platform/vars/date.h"

namespace zur::expr {

// The current date text: "08/12/26"; the blank date gives "  /  /  ".
std::string FormatDate(const Date& d);
// "DD/MM/YY" with years 86-99 in 1986-1999 and 00-85 in 2000-2085, or "DD/MM/YYYY"; blanks
// around the text are ignored. Anything that is not a valid date gives the blank date.
Date ParseDate(std::string_view text);

}  // namespace zur::expr
