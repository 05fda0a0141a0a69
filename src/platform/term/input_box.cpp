#include "platform/term/input_box.h"

#include <algorithm>

#include "platform/term/dialog_frame.h"
#include "platform/term/edit_buffer.h"
#include "platform/term/screen.h"

namespace zur::term {
namespace {

std::optional<std::string> RunInputBox(Screen& screen, std::string_view title,
                                       std::string_view value, size_t length, const Rect& box) {
  EditBuffer buffer(length, false);
  buffer.SetText(value);
  buffer.End();
  const int width = box.cols - 4;
  Screen::OverlayHandle overlay(screen, [&](CellGrid& picture, Cursor& cursor) {
    DrawDialog(picture, box, title, screen.theme());
    const size_t first = buffer.ScrollFor(width);
    picture.Fill(Rect{box.row + 1, box.col + 2, 1, width}, screen.theme().entry_focused);
    picture.Put(box.row + 1, box.col + 2,
                std::string_view(buffer.text()).substr(first, static_cast<size_t>(width)),
                screen.theme().entry_focused);
    cursor =
        Cursor{box.row + 1,
               box.col + 2 + std::min(static_cast<int>(buffer.caret() - first), width - 1), true};
  });
  for (;;) {
    const std::optional<Input> input = screen.ReadInput(-1);
    if (!input || input->kind != Input::kKey) continue;
    const Key& key = input->key;
    if (key.IsText()) {
      if (!buffer.Type(key.text)) screen.Bell();
      continue;
    }
    if (key.Is(KeyId::kEnter)) return buffer.text();
    if (key.Is(KeyId::kEsc)) return std::nullopt;
    ApplyEditingKey(buffer, key, true);
  }
}

}  // namespace

std::optional<std::string> InputBox(Screen& screen, std::string_view title, std::string_view value,
                                    size_t length) {
  const int width = std::clamp(static_cast<int>(length), 10, kGridColumns - 8);
  return RunInputBox(screen, title, value, length,
                     CentredBox(screen.backend().GetSize(), 3, width + 4));
}

std::optional<std::string> InputBoxAt(Screen& screen, std::string_view title,
                                      std::string_view value, size_t length, int row, int col,
                                      int columns) {
  const Size size = screen.backend().GetSize();
  const int limit = std::max(std::min(size.columns, kCanvasColumns), 6);
  const int cols = std::clamp(columns, 2, limit - 4) + 4;
  const int bottom = std::max(size.rows, 3);
  const Rect box{std::clamp(row, 0, bottom - 3), std::clamp(col, 0, limit - cols), 3, cols};
  return RunInputBox(screen, title, value, length, box);
}

}  // namespace zur::term
