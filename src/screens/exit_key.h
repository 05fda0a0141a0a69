#pragma once
// EXITKEY: whether the last key pressed leaves a screen without accepting it (Esc, Up or
// Page Up). The key is kept in M_LASTKEY.

#include "platform/term/screen.h"
#include "platform/vars/var_store.h"

namespace zur::screens {

bool ExitKey(const term::Screen& screen, VarStore& vars);

}  // namespace zur::screens
