#pragma once
// How character values compare in expressions (and wherever the program compares codes).
//
// Non-exact rule (=, <>, <, <=, >, >=): the left text is cut to, or padded with blanks to,
// the length of the right text, and the two are then compared byte by byte (unsigned). So
// "A1      " = "A1" is true (a field that begins with the value matches), "" = "   " is true
// (a blank test), "AB" = "ABC" is false, and "" = "X" is false. With an empty right text
// every left text is equal.
// Exact rule (==): both texts must be identical, length and trailing blanks included.

#include <string_view>

namespace zur::expr {

// <0, 0 or >0 under the non-exact rule.
int CompareNonExact(std::string_view left, std::string_view right);
// <0, 0 or >0 comparing the whole texts byte by byte; a prefix sorts first.
int CompareExact(std::string_view left, std::string_view right);

}  // namespace zur::expr
