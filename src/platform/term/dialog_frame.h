#pragma once
// The look shared by the modal dialogs: a framed box with a title bar and a shadow, centred
// on the grid, and a row of buttons.

#include <string>
#include <string_view>
#include <vector>

#include "platform/term/cell_grid.h"
#include "platform/term/geometry.h"
#include "platform/term/theme.h"

namespace zur::term {

// A box of `rows` x `cols` (frame included) centred on the grid of a terminal of `size`
// (terminal coordinates), kept inside the terminal.
Rect CentredBox(const Size& size, int rows, int cols);
// Draws the box with `title` in its top edge.
void DrawDialog(CellGrid& picture, const Rect& box, std::string_view title, const Theme& theme);
// The places of buttons with these captions ("[ OK ]"), centred on a row of `box`.
std::vector<Rect> ButtonRow(const Rect& box, int row, const std::vector<std::string>& captions);
void DrawButtons(CellGrid& picture, const std::vector<Rect>& places,
                 const std::vector<std::string>& captions, int focused, const Theme& theme);
// The index of the place that holds (row, col), or -1.
int PlaceAt(const std::vector<Rect>& places, int row, int col);

}  // namespace zur::term
