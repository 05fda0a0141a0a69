#include "platform/term/dialog_frame.h"

#include <algorithm>

namespace zur::term {

Rect CentredBox(const Size& size, int rows, int cols) {
  const int width = std::max(std::min(size.columns, kCanvasColumns), 1);
  cols = std::min(cols, width);
  rows = std::min(rows, std::max(size.rows - kMenuBarRows, 1));
  const int col = std::max((std::min(width, kGridColumns) - cols) / 2, 0);
  const int row = kMenuBarRows + std::max((kGridRows - rows) / 2, 0);
  return Rect{row, col, rows, cols};
}

void DrawDialog(CellGrid& picture, const Rect& box, std::string_view title, const Theme& theme) {
  // The shadow: one row below and two columns to the right.
  picture.Paint(Rect{box.row + 1, box.right() + 1, box.rows, 2}, theme.shadow);
  picture.Paint(Rect{box.bottom() + 1, box.col + 2, 1, box.cols}, theme.shadow);
  picture.Fill(box, theme.dialog);
  picture.PutGlyph(box.row, box.col, Glyph::kTopLeft, theme.dialog);
  picture.PutGlyph(box.row, box.col + 1, Glyph::kHorizontal, theme.dialog, box.cols - 2);
  picture.PutGlyph(box.row, box.right(), Glyph::kTopRight, theme.dialog);
  for (int row = box.row + 1; row < box.bottom(); ++row) {
    picture.PutGlyph(row, box.col, Glyph::kVertical, theme.dialog);
    picture.PutGlyph(row, box.right(), Glyph::kVertical, theme.dialog);
  }
  picture.PutGlyph(box.bottom(), box.col, Glyph::kBottomLeft, theme.dialog);
  picture.PutGlyph(box.bottom(), box.col + 1, Glyph::kHorizontal, theme.dialog, box.cols - 2);
  picture.PutGlyph(box.bottom(), box.right(), Glyph::kBottomRight, theme.dialog);
  if (!title.empty()) {
    const std::string text =
        " " + std::string(title.substr(0, static_cast<size_t>(std::max(box.cols - 6, 0)))) + " ";
    picture.Put(box.row, box.col + (box.cols - static_cast<int>(text.size())) / 2, text,
                theme.dialog_title);
  }
}

std::vector<Rect> ButtonRow(const Rect& box, int row, const std::vector<std::string>& captions) {
  constexpr int kGap = 3;
  int total = 0;
  for (const std::string& c : captions) total += static_cast<int>(c.size()) + 4;
  total += kGap * std::max(static_cast<int>(captions.size()) - 1, 0);
  int col = box.col + std::max((box.cols - total) / 2, 1);
  std::vector<Rect> places;
  for (const std::string& c : captions) {
    places.push_back(Rect{row, col, 1, static_cast<int>(c.size()) + 4});
    col += static_cast<int>(c.size()) + 4 + kGap;
  }
  return places;
}

void DrawButtons(CellGrid& picture, const std::vector<Rect>& places,
                 const std::vector<std::string>& captions, int focused, const Theme& theme) {
  for (size_t i = 0; i < places.size() && i < captions.size(); ++i) {
    const Attr attr = static_cast<int>(i) == focused ? theme.button_focused : theme.button;
    picture.Put(places[i].row, places[i].col, "[ " + captions[i] + " ]", attr);
  }
}

int PlaceAt(const std::vector<Rect>& places, int row, int col) {
  for (size_t i = 0; i < places.size(); ++i)
    if (places[i].Contains(row, col)) return static_cast<int>(i);
  return -1;
}

}  // namespace zur::term
