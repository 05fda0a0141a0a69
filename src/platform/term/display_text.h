#pragma once
// What a cell shows on a UTF-8 terminal: Big5 characters converted (code page 950 through
// iconv) and kept two columns wide, frame glyphs as box-drawing characters, control bytes and
// stray high bytes as stand-ins.

#include <string>
#include <string_view>

#include "platform/term/cell_grid.h"

namespace zur::term {

// The UTF-8 text of the cell at (row, col): empty for the trail half of a Big5 character.
std::string_view CellText(const CellGrid& grid, int row, int col);
// The UTF-8 text of a whole row.
std::string RowText(const CellGrid& grid, int row);

}  // namespace zur::term
