#pragma once
// The keys of the codes curses reports for function and cursor keys (KEY_UP, KEY_F(13) ...),
// including the modified keys it knows by terminfo name ("kLFT5" is Ctrl+Left).

#include "platform/term/key.h"

namespace zur::term {

// `code` is a curses key code, `name` what keyname() gives for it (may be null).
Key KeyOfCursesCode(int code, const char* name);

}  // namespace zur::term
