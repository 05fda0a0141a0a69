// The modal event loop of a data-entry screen.
#include "platform/term/event_codes.h"
#include "screens/form.h"

namespace zur::screens {

namespace ev = term::event;

LoopEnd Form::RunLoop() {
  end_ = LoopEnd{};
  while (!end_.save && !end_.quit && !end_.page_down && !end_.page_up) {
    const term::Event e = screen_.NextEvent();
    if (e.code == ev::kEsc) break;  // every data-entry screen allows Esc
    if (e.target == nullptr) continue;
    if (e.code == ev::kPgDn) end_.page_down = true;
    // The printer selection (a hot key of the main window) leaves the focus on the first field
    // when its key reaches the screen.
    if (e.code == ev::kAltP) FocusField(FirstShown());
    screen_.Dispatch(e);
  }
  return end_;
}

}  // namespace zur::screens
