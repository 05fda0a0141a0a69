#include "platform/term/check_box.h"

#include "platform/term/screen.h"

namespace zur::term {

CheckBox::CheckBox(int row, int col, std::string caption, bool checked)
    : Widget(Rect{row, col, 1, static_cast<int>(caption.size()) + 4}),
      caption_(std::move(caption)),
      checked_(checked) {}

void CheckBox::Toggle(Screen& screen) {
  checked_ = !checked_;
  screen.Post(event::kSelected, this, checked_ ? 1 : 0);
}

void CheckBox::Draw(CellGrid& canvas, bool focused, const Theme& theme) const {
  const Rect& a = area();
  const Attr box = enabled() ? Attr{} : theme.disabled;
  canvas.Put(a.row, a.col, checked_ ? "[X] " : "[ ] ", box);
  canvas.Put(a.row, a.col + 4, caption_, focused ? theme.button_focused : box);
}

std::optional<Cursor> CheckBox::FocusCursor() const {
  return Cursor{area().row, area().col + 1, true};
}

void CheckBox::OnKey(Screen& screen, const Key& key) {
  if (key.IsChar(' ')) Toggle(screen);
}

void CheckBox::OnClick(Screen& screen, int, int) {
  screen.SetFocus(this);
  Toggle(screen);
}

void CheckBox::OnEvent(Screen&, const Event& event) {
  if (event.code == event::kSelected && on_selected) on_selected(event.mp1 != 0);
}

}  // namespace zur::term
