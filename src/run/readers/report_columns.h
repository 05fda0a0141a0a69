#pragma once
// Reading the fixed columns of a CCASS report line. Columns are 1-based, as the report
// layouts are described; a column past the end of the line reads as nothing.

#include <string_view>

#include "platform/vars/var_store.h"

namespace zur::readers {

// A column offset kept in a memory variable (RIGHT_SHIFT, STK_SHIFT): its value when a whole
// number of 0..250, else 0.
int ColumnVar(const VarStore& vars, std::string_view name);

// `width` characters from `column` (fewer at the end of the line, none past it). A column
// below 1 reads from the start of the line.
std::string_view Cols(std::string_view line, int column, int width);

// 1-based position of the first `what` in `line`; 0 when it does not occur.
int Position(std::string_view line, std::string_view what);
inline bool Contains(std::string_view line, std::string_view what) {
  return Position(line, what) > 0;
}

// The text reads as a number above zero (leading blanks, then digits).
bool HasPositiveValue(std::string_view text);

// Every one of the columns is a blank or lies past the end of the line.
bool ColsBlank(std::string_view line, int column, int width);
// Every one of the columns is on the line and is a blank.
bool ColsExactlyBlank(std::string_view line, int column, int width);
// The column is on the line and holds something other than a blank.
bool ColFilled(std::string_view line, int column);

}  // namespace zur::readers
