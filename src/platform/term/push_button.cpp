#include "platform/term/push_button.h"

#include <algorithm>

#include "platform/term/screen.h"

namespace zur::term {

PushButton::PushButton(Rect area, std::string caption, bool border)
    : Widget(area), caption_(std::move(caption)), border_(border) {}

void PushButton::Activate(Screen& screen) {
  if (enabled()) screen.Post(event::kActivate, this);
}

void PushButton::Draw(CellGrid& canvas, bool focused, const Theme& theme) const {
  const Rect& a = area();
  const Attr attr = !enabled() ? theme.disabled : focused ? theme.button_focused : theme.button;
  canvas.Fill(Rect{a.row, a.col, 1, a.cols}, attr);
  // The brackets of a border are left out where they would cut the caption: the button keeps
  // its place, so it never covers its neighbour.
  const bool brackets = border_ && a.cols >= static_cast<int>(caption_.size()) + 2;
  const int inner = brackets ? a.cols - 2 : a.cols;
  const std::string_view caption =
      std::string_view(caption_).substr(0, static_cast<size_t>(std::max(inner, 0)));
  const int col = a.col + (brackets ? 1 : 0) + (inner - static_cast<int>(caption.size())) / 2;
  canvas.Put(a.row, col, caption, attr);
  if (brackets) {
    canvas.Put(a.row, a.col, "[", attr);
    canvas.Put(a.row, a.right(), "]", attr);
  }
}

void PushButton::OnKey(Screen& screen, const Key& key) {
  if (key.Is(KeyId::kEnter) || key.IsChar(' ')) Activate(screen);
}

void PushButton::OnClick(Screen& screen, int, int) {
  screen.SetFocus(this);
  Activate(screen);
}

void PushButton::OnEvent(Screen&, const Event& event) {
  if (event.code == event::kActivate && enabled() && on_activate) on_activate();
}

}  // namespace zur::term
