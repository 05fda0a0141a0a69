#include "platform/term/widget.h"

namespace zur::term {

void Widget::HandleEvent(Screen& screen, const Event& event) {
  if (event.IsKey()) {
    if (on_key && on_key(event.code)) return;
    if (enabled_) OnKey(screen, event.key());
    return;
  }
  if (event.code == event::kMouseClick) {
    if (visible_ && enabled_)
      OnClick(screen, static_cast<int>(event.mp2), static_cast<int>(event.mp1));
    return;
  }
  OnEvent(screen, event);
}

}  // namespace zur::term
