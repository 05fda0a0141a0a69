#include "platform/term/entry_field.h"

#include <algorithm>
#include <cctype>

#include "platform/term/picture.h"
#include "platform/term/screen.h"

namespace zur::term {

std::string ForcedCase(std::string_view character, bool upper) {
  std::string out(character);
  if (upper && out.size() == 1)
    out[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(out[0])));
  return out;
}

EntryField::EntryField(int row, int col, int width, size_t buffer_length)
    : Widget(Rect{row, col, 1, std::max(width, 1)}), buffer_(buffer_length, false) {}

void EntryField::SetNumber(double value, std::string_view picture) {
  buffer_.SetText(Transform(value, picture));
}

bool EntryField::Validate() {
  return on_validate ? on_validate(*this) : true;
}

void EntryField::GainedFocus() {
  if (!select_all_on_focus_) return;
  if (text().find_first_not_of(' ') == std::string::npos)
    buffer_.Clear();
  else
    buffer_.SelectAll();
  buffer_.ScrollFor(area().cols);
}

void EntryField::Draw(CellGrid& canvas, bool focused, const Theme& theme) const {
  const Rect& a = area();
  const Attr base = read_only_ ? theme.entry_read_only
                    : focused  ? theme.entry_focused
                               : theme.entry;
  canvas.Fill(a, base);
  if (text().empty() && !focused) {
    canvas.Put(a.row, a.col, std::string_view(placeholder_).substr(0, static_cast<size_t>(a.cols)),
               theme.placeholder);
    return;
  }
  EditBuffer view = buffer_;
  const size_t first = view.ScrollFor(a.cols);
  const std::string& t = text();
  const size_t end = std::min(t.size(), first + static_cast<size_t>(a.cols));
  canvas.Put(a.row, a.col, std::string_view(t).substr(first, end - first), base);
  if (focused && buffer_.HasSelection()) {
    const int from = static_cast<int>(std::max(buffer_.selection_begin(), first) - first);
    const int to = static_cast<int>(std::min(buffer_.selection_end(), end) - first);
    if (to > from) canvas.Paint(Rect{a.row, a.col + from, 1, to - from}, theme.entry_selected);
  }
}

std::optional<Cursor> EntryField::FocusCursor() const {
  EditBuffer view = buffer_;
  const size_t first = view.ScrollFor(area().cols);
  const int col = std::min(static_cast<int>(buffer_.caret() - first), area().cols - 1);
  return Cursor{area().row, area().col + col, true};
}

void EntryField::OnKey(Screen& screen, const Key& key) {
  if (key.IsText()) {
    if (read_only_ || !buffer_.Type(ForcedCase(key.text, upper_case_))) screen.Bell();
  } else {
    ApplyEditingKey(buffer_, key, !read_only_);
  }
  buffer_.ScrollFor(area().cols);
}

void EntryField::OnClick(Screen& screen, int, int col) {
  screen.SetFocus(this);
  EditBuffer view = buffer_;
  const size_t first = view.ScrollFor(area().cols);
  buffer_.SetCaret(
      std::min(first + static_cast<size_t>(std::max(col - area().col, 0)), text().size()));
  buffer_.ScrollFor(area().cols);
}

}  // namespace zur::term
