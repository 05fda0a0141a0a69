#include "screens/grid_pixels.h"

#include <algorithm>
#include <cmath>

#include "platform/term/pixel_cells.h"

namespace zur::screens {
namespace {

// A metric from its variable; one that is not a number of a sensible size keeps the default.
double NumberOr(const VarStore& vars, const char* name, double fallback) {
  const double v = vars.Get(name).NumOr(fallback);
  return std::isfinite(v) && std::fabs(v) <= 10000 ? v : fallback;
}

int Pixels(double p) {
  return static_cast<int>(std::clamp(std::floor(p), -1e6, 1e6));
}

}  // namespace

GridMetrics GridMetrics::FromVars(const VarStore& vars) {
  GridMetrics m;
  m.col = NumberOr(vars, "nXpCol", m.col);
  m.row = NumberOr(vars, "nXpRow", m.row);
  m.height = NumberOr(vars, "nXpHeight", m.height);
  m.columns = static_cast<int>(NumberOr(vars, "nXpCrtCol", m.columns));
  m.rows = static_cast<int>(NumberOr(vars, "nXpCrtRow", m.rows));
  m.col_adj1 = NumberOr(vars, "nXpColadj1", m.col_adj1);
  m.col_adj2 = NumberOr(vars, "nXpColadj2", m.col_adj2);
  m.entry_adj1 = NumberOr(vars, "nXpSLEAdj1", m.entry_adj1);
  m.entry_adj2 = NumberOr(vars, "nXpSLEAdj2", m.entry_adj2);
  return m;
}

double GridMetrics::TextCol(std::optional<int> column) const {
  if (!column) return 0;
  return std::clamp(*column, 0, std::max(columns - 1, 0)) * col;
}

double GridMetrics::TextRow(std::optional<int> r) const {
  if (!r) return 0;
  return (rows - std::clamp(*r, 0, std::max(rows - 1, 0)) - 1) * row;
}

term::Rect GridMetrics::LabelCells(int column, int r, int length) const {
  return PixelBox(TextCol(column) + col_adj1, TextRow(r), TextCol(length) + col_adj2, height);
}

term::Rect GridMetrics::EntryCells(int column, int r, int width) const {
  return PixelBox(TextCol(column) + col_adj1, TextRow(r) + entry_adj1, TextCol(width) + entry_adj2,
                  20);
}

term::Rect PixelBox(double x, double y, double width, double height) {
  return term::CellsOfPixels(Pixels(x), Pixels(y), Pixels(width), Pixels(height));
}

}  // namespace zur::screens
