#pragma once
// Menu choice 2, the start-checking screen: the CCASS stock report file of the day, the
// back-office data directories, the two upload file names, the own reference, the
// transmission date and the CCASS/3 file numbers; then Process, Print to PDF or Cancel.

#include "platform/term/screen.h"
#include "platform/vars/var_store.h"

namespace zur::screens {

// Prepares the screen's variables (MSG, PRINT_PDF false, CCASS_DIR empty, the file numbers 1)
// and shows the screen until it is confirmed (Process, Print to PDF, Page Down, Enter on the
// last field) or left (Cancel, Esc, Page Up). True when confirmed: the run then reads STK_FILE,
// SB_DIR, SBF_DIR, CL_DIR, ATI_TEXT, STI_TEXT, OWN_REF, GEN_DATE, ATI_FILENO, STI_FILENO and
// PRINT_PDF. A left screen puts the ten variables back as they were. Either way the current
// directory is CUR_PATH again afterwards.
bool StartChecking(term::Screen& screen, VarStore& vars);

}  // namespace zur::screens
