#pragma once
// The input box for Chinese text (Alt+F4, Alt+I): a small box over the console entry being
// edited, below the cursor, in which text can be typed through the terminal's input method.
// Typed characters arrive as Big5 (the key reader converts them from UTF-8); Enter puts the
// text into the entry, blank-padded to its length, Esc leaves the entry as it was.

#include "platform/term/screen.h"

namespace zur::compat_screen {

inline constexpr std::string_view kInputBoxTitle = "Input Box";

// SHOWINPUTBOX: nothing happens when no console entry is being edited.
void ShowInputBox(term::Screen& screen);

// N_READY: installs Alt+F4 and Alt+I as the input box's hot keys; true.
bool NetworkReady(term::Screen& screen);

}  // namespace zur::compat_screen
