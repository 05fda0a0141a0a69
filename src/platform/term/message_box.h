#pragma once
// Modal message boxes: a text (lines separated by line breaks, long lines wrapped) under a
// title, with an OK button, or with Yes and No. They draw over the screen and read keys and
// clicks until answered; queued events stay queued.

#include <string>
#include <string_view>
#include <vector>

namespace zur::term {

class Screen;

// Enter, Space, Esc or a click on OK close it.
void MessageBox(Screen& screen, std::string_view text, std::string_view title = "ZUR");
// Y or N answer at once; Left, Right and Tab move between the buttons, Enter and Space take
// the lit one; Esc answers No. True for Yes.
bool ConfirmBox(Screen& screen, std::string_view text, std::string_view title = "ZUR",
                bool default_yes = true);

// The lines of a message: split at line breaks (CR LF, LF or CR), each cut at blanks into
// lines of at most `width` bytes (a longer word is cut, never inside a Big5 character).
std::vector<std::string> WrapLines(std::string_view text, int width);

}  // namespace zur::term
