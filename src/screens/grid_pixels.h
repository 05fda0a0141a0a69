#pragma once
// Where the screens put their labels, entries and buttons: positions on the 80 x 25 text grid
// are turned into pixels of the application window by the window metrics of start-up
// (nXpCol, nXpRow ...), shifted as the window's labels and entries are, and the pixel boxes
// then into the cells of the terminal.

#include <optional>

#include "platform/term/geometry.h"
#include "platform/vars/var_store.h"

namespace zur::screens {

struct GridMetrics {
  double col = 10;         // nXpCol: pixels of one grid column
  double row = 20;         // nXpRow: pixels of one grid row
  double height = 20;      // nXpHeight: a label's height
  int columns = 80;        // nXpCrtCol
  int rows = 25;           // nXpCrtRow
  double col_adj1 = 33;    // nXpColadj1: added to the x of labels and entries
  double col_adj2 = 4;     // nXpColadj2: added to a label's width
  double entry_adj1 = -1;  // nXpSLEAdj1: added to an entry's y
  double entry_adj2 = 5;   // nXpSLEAdj2: added to an entry's width

  // The metrics in the variables; a variable that is missing or not a number keeps its default.
  static GridMetrics FromVars(const VarStore& vars);

  // WTEXTCOL: the x of a column (or the pixels of a width), the column clamped to
  // 0 .. columns - 1; no column gives 0.
  double TextCol(std::optional<int> column) const;
  // WTEXTROW: the y (up from the bottom edge) of a row clamped to 0 .. rows - 1; no row gives 0.
  double TextRow(std::optional<int> row) const;

  // The cells of a label of `length` characters at a grid column and row.
  term::Rect LabelCells(int column, int row, int length) const;
  // The cells of an entry `width` columns wide at a grid column and row.
  term::Rect EntryCells(int column, int row, int width) const;
};

// The cells of a box given in window pixels (x from the left, y up from the bottom edge).
term::Rect PixelBox(double x, double y, double width, double height);

}  // namespace zur::screens
