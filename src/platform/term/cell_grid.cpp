#include "platform/term/cell_grid.h"

#include <algorithm>

#include "platform/big5/big5_text.h"

namespace zur::term {
namespace {

char StandIn(Glyph glyph) {
  switch (glyph) {
    case Glyph::kHorizontal:
      return '-';
    case Glyph::kVertical:
      return '|';
    case Glyph::kShade:
      return ' ';
    default:
      return '+';
  }
}

Rect Clip(const Rect& area, int rows, int columns) {
  const int top = std::max(area.row, 0);
  const int left = std::max(area.col, 0);
  const int bottom = std::min(area.row + area.rows, rows);
  const int right = std::min(area.col + area.cols, columns);
  return Rect{top, left, std::max(bottom - top, 0), std::max(right - left, 0)};
}

}  // namespace

CellGrid::CellGrid(int rows, int columns, const Attr& blank)
    : rows_(std::max(rows, 0)),
      columns_(std::max(columns, 0)),
      cells_(static_cast<size_t>(rows_) * static_cast<size_t>(columns_),
             Cell{' ', Cell::kSingle, Glyph::kNone, blank}) {}

void CellGrid::BreakPairAt(int row, int col) {
  if (!Inside(row, col)) return;
  Cell& cell = at(row, col);
  if (cell.part == Cell::kLead && col + 1 < columns_) {
    at(row, col + 1) = Cell{' ', Cell::kSingle, Glyph::kNone, at(row, col + 1).attr};
  } else if (cell.part == Cell::kTrail && col > 0) {
    at(row, col - 1) = Cell{' ', Cell::kSingle, Glyph::kNone, at(row, col - 1).attr};
  }
  cell.part = Cell::kSingle;
}

void CellGrid::NormalizeRow(int row) {
  for (int col = 0; col < columns_; ++col) {
    Cell& cell = at(row, col);
    const bool lone_trail =
        cell.part == Cell::kTrail && (col == 0 || at(row, col - 1).part != Cell::kLead);
    const bool lone_lead =
        cell.part == Cell::kLead && (col + 1 >= columns_ || at(row, col + 1).part != Cell::kTrail);
    if (lone_trail || lone_lead) cell = Cell{' ', Cell::kSingle, Glyph::kNone, cell.attr};
  }
}

int CellGrid::Put(int row, int col, std::string_view text, const Attr& attr) {
  if (row < 0 || row >= rows_) return col + static_cast<int>(text.size());
  const int end = col + static_cast<int>(text.size());
  BreakPairAt(row, std::max(col, 0));
  BreakPairAt(row, std::min(end, columns_) - 1);
  for (size_t i = 0; i < text.size(); ++i) {
    const int c = col + static_cast<int>(i);
    const unsigned char byte = static_cast<unsigned char>(text[i]);
    const bool pair = big5::IsBig5Lead(byte) && i + 1 < text.size();
    if (pair) {
      const bool whole = c >= 0 && c + 1 < columns_;
      if (whole) {
        at(row, c) = Cell{text[i], Cell::kLead, Glyph::kNone, attr};
        at(row, c + 1) = Cell{text[i + 1], Cell::kTrail, Glyph::kNone, attr};
      } else {
        if (c >= 0 && c < columns_) at(row, c) = Cell{' ', Cell::kSingle, Glyph::kNone, attr};
        if (c + 1 >= 0 && c + 1 < columns_)
          at(row, c + 1) = Cell{' ', Cell::kSingle, Glyph::kNone, attr};
      }
      ++i;
      continue;
    }
    // A lead byte without its trail is a character cut short: shown as a blank.
    const char shown = big5::IsBig5Lead(byte) ? ' ' : text[i];
    if (c >= 0 && c < columns_) at(row, c) = Cell{shown, Cell::kSingle, Glyph::kNone, attr};
  }
  return end;
}

void CellGrid::PutGlyph(int row, int col, Glyph glyph, const Attr& attr, int count) {
  for (int i = 0; i < count; ++i) {
    const int c = col + i;
    if (!Inside(row, c)) continue;
    BreakPairAt(row, c);
    at(row, c) = Cell{StandIn(glyph), Cell::kSingle, glyph, attr};
  }
}

void CellGrid::Fill(const Rect& area, const Attr& attr) {
  const Rect r = Clip(area, rows_, columns_);
  for (int row = r.row; row < r.row + r.rows; ++row) {
    BreakPairAt(row, r.col);
    BreakPairAt(row, r.right());
    for (int col = r.col; col < r.col + r.cols; ++col)
      at(row, col) = Cell{' ', Cell::kSingle, Glyph::kNone, attr};
  }
}

void CellGrid::Paint(const Rect& area, const Attr& attr) {
  const Rect r = Clip(area, rows_, columns_);
  for (int row = r.row; row < r.row + r.rows; ++row)
    for (int col = r.col; col < r.col + r.cols; ++col) at(row, col).attr = attr;
}

void CellGrid::Scroll(const Rect& area, int n, const Attr& blank) {
  const Rect r = Clip(area, rows_, columns_);
  if (r.rows == 0 || r.cols == 0) return;
  if (n >= r.rows || -n >= r.rows || n == 0) {
    if (n != 0) Fill(r, blank);
    return;
  }
  const CellGrid before = *this;
  for (int row = r.row; row < r.row + r.rows; ++row) {
    const int source = row + n;
    if (source < r.row || source >= r.row + r.rows) {
      Fill(Rect{row, r.col, 1, r.cols}, blank);
      continue;
    }
    for (int col = r.col; col < r.col + r.cols; ++col) at(row, col) = before.at(source, col);
    NormalizeRow(row);
  }
}

void CellGrid::CopyFrom(const CellGrid& from, const Rect& area) {
  const Rect r = Clip(Clip(area, rows_, columns_), from.rows_, from.columns_);
  for (int row = r.row; row < r.row + r.rows; ++row) {
    for (int col = r.col; col < r.col + r.cols; ++col) at(row, col) = from.at(row, col);
    NormalizeRow(row);
  }
}

void CellGrid::Blit(const CellGrid& from, int row, int col) {
  for (int r = 0; r < from.rows_; ++r) {
    if (row + r < 0 || row + r >= rows_) continue;
    for (int c = 0; c < from.columns_; ++c)
      if (Inside(row + r, col + c)) at(row + r, col + c) = from.at(r, c);
    NormalizeRow(row + r);
  }
}

std::string CellGrid::RowBytes(int row) const {
  std::string out;
  if (row < 0 || row >= rows_) return out;
  out.reserve(static_cast<size_t>(columns_));
  for (int col = 0; col < columns_; ++col) out.push_back(at(row, col).byte);
  return out;
}

}  // namespace zur::term
