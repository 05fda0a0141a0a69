#pragma once
// Boxes placed in pixels of the virtual application window (881 x 545, y counted up from the
// bottom edge of the 25-row grid) as cells of 10 x 20 pixels.

#include <algorithm>

#include "platform/term/geometry.h"

namespace zur::term {

inline constexpr int kCellWidth = 10;
inline constexpr int kCellHeight = 20;

// The cells of a box at (x, y) of w x h pixels: the column and width by division, the row
// that holds the box's vertical middle (so an entry placed a pixel below its label's row
// stays on it, and a 30-pixel button on the row of its middle). One row high.
inline Rect CellsOfPixels(int x, int y, int w, int h) {
  const int middle = y + h / 2;
  const int from_bottom = middle >= 0 ? middle / kCellHeight : -1;
  const int row = std::clamp(kGridRows - 1 - from_bottom, 0, kGridRows - 1);
  return Rect{row, std::max(x, 0) / kCellWidth, 1, std::max(w / kCellWidth, 1)};
}

}  // namespace zur::term
