#pragma once
// A rectangle of character cells. A cell holds one byte of the program's text with its
// attribute; a Big5 character takes two cells (its lead and trail byte). Frame lines are kept
// as glyphs with an ASCII stand-in byte, so the grid's bytes can always be printed.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/term/colour.h"
#include "platform/term/geometry.h"

namespace zur::term {

enum class Glyph : std::uint8_t {
  kNone,
  kHorizontal,
  kVertical,
  kTopLeft,
  kTopRight,
  kBottomLeft,
  kBottomRight,
  kTeeLeft,   // a horizontal line meeting a left frame side
  kTeeRight,  // ... a right frame side
  kShade,     // the shadow of a dialog
};

struct Cell {
  enum Part : std::uint8_t { kSingle, kLead, kTrail };
  char byte = ' ';
  Part part = kSingle;
  Glyph glyph = Glyph::kNone;
  Attr attr;
  bool operator==(const Cell&) const = default;
};

class CellGrid {
 public:
  CellGrid() = default;
  CellGrid(int rows, int columns, const Attr& blank = {});

  int rows() const { return rows_; }
  int columns() const { return columns_; }
  bool Inside(int row, int col) const {
    return row >= 0 && row < rows_ && col >= 0 && col < columns_;
  }
  const Cell& at(int row, int col) const { return cells_[Index(row, col)]; }
  Cell& at(int row, int col) { return cells_[Index(row, col)]; }

  // Writes the bytes of `text` from (row, col); what falls outside is clipped, and a Big5
  // character that would be cut at an edge becomes a blank. Returns the column after the text.
  int Put(int row, int col, std::string_view text, const Attr& attr);
  // Writes `count` copies of a frame glyph along a row.
  void PutGlyph(int row, int col, Glyph glyph, const Attr& attr, int count = 1);
  // Blanks the cells of `area` (clipped) with `attr`.
  void Fill(const Rect& area, const Attr& attr);
  // Sets the attribute of the cells of `area` without changing their text.
  void Paint(const Rect& area, const Attr& attr);
  // Moves the rows of `area` up by n (down for negative n), blanking those left behind.
  void Scroll(const Rect& area, int n, const Attr& blank);
  // Copies `area` of `from` to the same place here (both clipped).
  void CopyFrom(const CellGrid& from, const Rect& area);
  // Copies all of `from` with its top-left corner at (row, col).
  void Blit(const CellGrid& from, int row, int col);

  // The bytes of a row (frame glyphs as their stand-in bytes).
  std::string RowBytes(int row) const;

  bool operator==(const CellGrid&) const = default;

 private:
  size_t Index(int row, int col) const {
    return static_cast<size_t>(row) * static_cast<size_t>(columns_) + static_cast<size_t>(col);
  }
  // A Big5 character of which only one half is about to be overwritten loses its other half.
  void BreakPairAt(int row, int col);
  // Blanks the halves of Big5 characters that lost their other half in a copy.
  void NormalizeRow(int row);

  int rows_ = 0;
  int columns_ = 0;
  std::vector<Cell> cells_;
};

}  // namespace zur::term
