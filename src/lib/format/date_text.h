#pragma once
// Date texts of the reports, the upload files and the screens.

#include <optional>
#include <string>
#include <string_view>

#include "platform/vars/date.h"

namespace zur::format {

// "DD/MM/YYYY"; the blank date gives "  /  /    ".
std::string Dmyy(Date date);
// " 6 Jun 2007": day (2, blank-padded), month name and 4-digit year; "" for the blank date.
std::string FullDate(Date date);
// "06-Jun-07"; "" for the blank date.
std::string ShortDate(Date date);
// A CCASS report date "06JUN07" (leading blanks ignored, 2-digit years 1986..2085); the blank
// date when the text is not such a date.
Date DateConv(std::string_view text);
// A date typed into a screen field: "DDMMYY" -> "DD/MM/YY", "DDMMYYYY" -> "DD/MM/YY", a text
// already "DD/MM/YY" kept. Nothing when the result is not a valid date.
std::optional<std::string> Fdmy(std::string_view typed);

}  // namespace zur::format
