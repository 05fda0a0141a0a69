#pragma once
// Menu choice 1, the system setup screen: the CCASS stock accounts of the client groups, the
// client types and stock allocations excluded, the yes/no options of the run, the CCASS/3
// sender BIC, the screen colour sets and the screen density. It edits the memory variables
// only; writing them to the settings record (and ending the program when the density changed)
// is the caller's job once the screen was confirmed.

#include "platform/term/screen.h"
#include "platform/vars/var_store.h"

namespace zur::screens {

// Shows the screen until it is confirmed (Page Down, Enter on the density) or left (Esc,
// Page Up); true when confirmed. A left screen leaves every variable as it was.
bool SystemSetup(term::Screen& screen, VarStore& vars);

}  // namespace zur::screens
