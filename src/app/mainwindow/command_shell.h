#pragma once
// Shift+F10: a command shell for the operator, with the terminal handed over and taken back.

#include "platform/term/screen.h"
#include "platform/vars/var_store.h"

namespace zur::mainwindow {

// Saves the screen, says "Start NEW DOS in progress, Please wait..." on row 23, runs the
// user's shell with its prompt telling how to come back, then returns to the directory it
// started in and restores the screen. A shell that does not start is said on row 23 as
// "Error: " and the reason.
void RunCommandShell(term::Screen& screen);

}  // namespace zur::mainwindow
