#pragma once
// The console of the application window: text at a row and column in the colours of the
// current colour setting (high intensity and blinking included), the output row that moves
// down and scrolls, clearing, frames, the bell, the cursor, waiting for a key, and saving and
// restoring (part of) the screen. It draws on the grid underneath the widgets.

#include <string>
#include <string_view>

#include "platform/term/backend.h"
#include "platform/term/cell_grid.h"
#include "platform/term/colour.h"
#include "platform/term/geometry.h"

namespace zur::term {

class Screen;

// A saved part of the console.
struct ScreenImage {
  Rect area;
  CellGrid cells;
  Cursor cursor;
};

// Frame characters: corners and sides clockwise from the top left, eight bytes.
inline constexpr std::string_view kAsciiFrame = "+-+|+-+|";
// The box-drawing bytes of the PC character set; drawn as line glyphs.
inline constexpr std::string_view kPcFrame = "\xda\xc4\xbf\xb3\xd9\xc4\xc0\xb3";

class Console {
 public:
  explicit Console(Screen& screen);

  // The colour setting ("W+/B,N/W,..."); Say uses its standard pair, entries its enhanced.
  void SetColour(std::string_view setting);
  const std::string& colour_text() const { return colour_text_; }
  const ColourSetting& colours() const { return colours_; }
  // With intensity off, GET entries are shown in the standard colour instead of the enhanced
  // one (the light bar keeps its highlight, or no choice could be seen).
  void SetIntensity(bool on) { intensity_ = on; }
  bool intensity() const { return intensity_; }
  // The colour of a GET entry, being edited or not.
  Attr EntryAttr(bool active) const {
    if (!intensity_) return colours_.standard;
    return active ? colours_.enhanced : colours_.unselected;
  }

  // Text at (row, col) in the standard colour or a given one; the cursor moves past it.
  void Say(int row, int col, std::string_view text);
  void Say(int row, int col, std::string_view text, const Attr& attr);
  // Text at column 0 of the row below the cursor; below the last row the grid scrolls up.
  void NextLine(std::string_view text);
  // Blank rows `from`..`to` (inclusive) or an area, in the standard colour.
  void ClearRows(int from, int to);
  void Clear(const Rect& area);
  void ClearAll();
  // Moves the rows of `area` up by n (down for negative n).
  void Scroll(const Rect& area, int n);
  // A frame on the edges of `area` with eight frame bytes (kPcFrame draws lines);
  // `fill` blanks the inside too.
  void Box(const Rect& area, std::string_view frame, const Attr& attr, bool fill = false);
  // A horizontal line from column `left` to `right` on a row.
  void Line(int row, int left, int right, const Attr& attr);

  void SetCursor(int row, int col);
  int row() const { return cursor_.row; }
  int col() const { return cursor_.col; }
  void ShowCursor(bool on) { cursor_.visible = on; }
  const Cursor& cursor() const { return cursor_; }

  void Bell();
  // The inkey code of the next key; 0 when `timeout_ms` ran out first (negative: wait).
  int InKey(int timeout_ms = 0);
  int WaitKey() { return InKey(-1); }

  ScreenImage Save() const { return Save(Rect{0, 0, cells_.rows(), cells_.columns()}); }
  ScreenImage Save(const Rect& area) const;
  void Restore(const ScreenImage& image);

  // The cells (grid coordinates: kGridRows x kCanvasColumns).
  const CellGrid& cells() const { return cells_; }
  CellGrid& cells() { return cells_; }

 private:
  Screen& screen_;
  CellGrid cells_;
  std::string colour_text_;
  ColourSetting colours_;
  Cursor cursor_;
  bool intensity_ = true;
};

}  // namespace zur::term
