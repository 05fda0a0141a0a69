#pragma once
// What a terminal too small for the program shows instead of it.

#include <string>
#include <vector>

#include "platform/term/cell_grid.h"
#include "platform/term/geometry.h"

namespace zur::term {

// The message, in lines of at most `width` characters.
std::vector<std::string> TooSmallMessage(const Size& size, int width);
// Draws the message centred on `picture` (which has the terminal's size).
void DrawTooSmall(CellGrid& picture, const Size& size);

}  // namespace zur::term
