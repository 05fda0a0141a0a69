#include "platform/term/console.h"

#include <algorithm>

#include "platform/term/inkey_codes.h"
#include "platform/term/screen.h"

namespace zur::term {
namespace {

Glyph PcGlyph(char c) {
  switch (static_cast<unsigned char>(c)) {
    case 0xda:
      return Glyph::kTopLeft;
    case 0xbf:
      return Glyph::kTopRight;
    case 0xd9:
      return Glyph::kBottomRight;
    case 0xc0:
      return Glyph::kBottomLeft;
    case 0xc4:
      return Glyph::kHorizontal;
    case 0xb3:
      return Glyph::kVertical;
    default:
      return Glyph::kNone;
  }
}

}  // namespace

Console::Console(Screen& screen) : screen_(screen), cells_(kGridRows, kCanvasColumns) {}

void Console::SetColour(std::string_view setting) {
  colour_text_ = std::string(setting);
  colours_ = ParseColourSetting(setting);
}

void Console::Say(int row, int col, std::string_view text) {
  Say(row, col, text, colours_.standard);
}

void Console::Say(int row, int col, std::string_view text, const Attr& attr) {
  const int end = cells_.Put(row, col, text, attr);
  SetCursor(row, end);
}

void Console::NextLine(std::string_view text) {
  int row = cursor_.row + 1;
  if (row >= kGridRows) {
    Scroll(Rect{0, 0, kGridRows, cells_.columns()}, row - kGridRows + 1);
    row = kGridRows - 1;
  }
  Say(row, 0, text);
}

void Console::ClearRows(int from, int to) {
  Clear(Corners(from, 0, to, cells_.columns() - 1));
  SetCursor(std::max(from, 0), 0);
}

void Console::Clear(const Rect& area) {
  cells_.Fill(area, colours_.standard);
}

void Console::ClearAll() {
  ClearRows(0, kGridRows - 1);
}

void Console::Scroll(const Rect& area, int n) {
  cells_.Scroll(area, n, colours_.standard);
}

void Console::Box(const Rect& area, std::string_view frame, const Attr& attr, bool fill) {
  if (area.rows < 1 || area.cols < 1) return;
  std::string f(frame.substr(0, 8));
  f.resize(8, ' ');
  if (fill) cells_.Fill(area, attr);
  const auto put = [&](int row, int col, char c, int count) {
    const Glyph glyph = PcGlyph(c);
    if (glyph != Glyph::kNone)
      cells_.PutGlyph(row, col, glyph, attr, count);
    else
      cells_.Put(row, col, std::string(static_cast<size_t>(std::max(count, 0)), c), attr);
  };
  const int top = area.row, left = area.col, bottom = area.bottom(), right = area.right();
  put(top, left + 1, f[1], area.cols - 2);
  put(bottom, left + 1, f[5], area.cols - 2);
  for (int row = top + 1; row < bottom; ++row) {
    put(row, left, f[7], 1);
    put(row, right, f[3], 1);
  }
  put(top, left, f[0], 1);
  put(top, right, f[2], 1);
  put(bottom, right, f[4], 1);
  put(bottom, left, f[6], 1);
}

void Console::Line(int row, int left, int right, const Attr& attr) {
  cells_.PutGlyph(row, left, Glyph::kHorizontal, attr, right - left + 1);
}

void Console::SetCursor(int row, int col) {
  cursor_.row = std::clamp(row, 0, kGridRows - 1);
  cursor_.col = std::clamp(col, 0, cells_.columns() - 1);
}

void Console::Bell() {
  screen_.Bell();
}

int Console::InKey(int timeout_ms) {
  const Key key = screen_.ReadKey(timeout_ms);
  return key.valid() ? inkey::FromKey(key) : inkey::kNoKey;
}

ScreenImage Console::Save(const Rect& area) const {
  ScreenImage image{area, CellGrid(cells_.rows(), cells_.columns()), cursor_};
  image.cells.CopyFrom(cells_, area);
  return image;
}

void Console::Restore(const ScreenImage& image) {
  cells_.CopyFrom(image.cells, image.area);
  cursor_ = image.cursor;
}

}  // namespace zur::term
