#pragma once
// The console prompts of the maintenance: the wait line, one-letter answers on the message
// rows and the No/Yes choice.

#include <string>
#include <string_view>

#include "platform/term/screen.h"
#include "platform/vars/var_store.h"

namespace zur::segac {

// SAYWAIT: row 23 cleared and "Please Wait ..." at its start, shown at once.
void SayWait(term::Screen& screen);

// A one-letter answer, upper case, after `prompt` at column 0 of `row`, starting as `preset`
// (Enter takes it). "" when the answer was left with an exit key (Esc, Up, Page Up).
std::string AskLetter(term::Screen& screen, VarStore& vars, int row, std::string_view prompt,
                      char preset);

// ASKYN at the cursor: " No " one column right of it and " Yes " five columns right, in a
// frame one row above and below; Yes is lit first when `yes` is. 'Y' or 'N'; Esc gives 'N'
// and sets ESC_EXIT.
char AskYn(term::Screen& screen, VarStore& vars, bool yes);

// The frame characters of the memory variable FRAME (eight of them), else the plain ones.
std::string FrameOf(const VarStore& vars);

}  // namespace zur::segac
