#pragma once
// Positions and sizes on the text grid: rows counted down from the top, columns from the left.

namespace zur::term {

// The program's screen: 25 rows of 80 columns. Labels and fields placed by pixel position
// may reach a few columns further, up to the width of the virtual window (881 pixels in cells
// of 10, so 88 columns). The menu bar takes one row above the grid.
inline constexpr int kGridRows = 25;
inline constexpr int kGridColumns = 80;
inline constexpr int kCanvasColumns = 88;
inline constexpr int kMenuBarRows = 1;
// The smallest terminal that shows all of it.
inline constexpr int kNeededColumns = kCanvasColumns;
inline constexpr int kNeededRows = kGridRows + kMenuBarRows;

struct Size {
  int columns = 0;
  int rows = 0;
  bool operator==(const Size&) const = default;
};

struct Rect {
  int row = 0;
  int col = 0;
  int rows = 1;
  int cols = 1;

  int bottom() const { return row + rows - 1; }
  int right() const { return col + cols - 1; }
  bool Contains(int r, int c) const {
    return r >= row && r < row + rows && c >= col && c < col + cols;
  }
  bool operator==(const Rect&) const = default;
};

// The rectangle from (top, left) to (bottom, right), both corners included.
inline Rect Corners(int top, int left, int bottom, int right) {
  return Rect{top, left, bottom - top + 1, right - left + 1};
}

}  // namespace zur::term
