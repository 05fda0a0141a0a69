#include "platform/term/static_text.h"

namespace zur::term {

StaticText::StaticText(int row, int col, std::string text, Attr attr, int width)
    : Widget(Rect{row, col, 1, width >= 0 ? width : static_cast<int>(text.size())}),
      text_(std::move(text)),
      attr_(attr) {}

void StaticText::Draw(CellGrid& canvas, bool, const Theme&) const {
  const Rect& a = area();
  canvas.Fill(a, attr_);
  canvas.Put(a.row, a.col,
             std::string_view(text_).substr(0, static_cast<size_t>(std::max(a.cols, 0))), attr_);
}

}  // namespace zur::term
