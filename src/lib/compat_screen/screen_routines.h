#pragma once
// The compatibility routines that need the screen, callable from expression texts in the
// program on screen: SHOWINPUTBOX, N_READY, LOGONUSER and IMPERSONATELOGGEDONUSER (not
// available here: the "LogonUser Error" box with the error code), and SWPRUNCMD and OVERLAY
// with the terminal handed to the shell and taken back.

#include <string>

#include "platform/expr/expression.h"
#include "platform/term/screen.h"
#include "platform/vars/var_store.h"

namespace zur::compat_screen {

inline constexpr std::string_view kLogonErrorTitle = "LogonUser Error";

// The box of LOGONUSER and IMPERSONATELOGGEDONUSER: logging on as another user is not
// available on this system. False.
bool LogonNotAvailable(term::Screen& screen);

// Runs the command (a blank one: the shell itself) with the terminal handed over; true when
// the shell ran.
bool ShellOnScreen(term::Screen& screen, const VarStore& vars, std::string_view command);

// Registers the routines over those of the compatibility layer; `screen` and `vars` must
// outlive the table.
void RegisterScreenRoutines(expr::FunctionTable& table, term::Screen& screen, VarStore& vars);

}  // namespace zur::compat_screen
