#pragma once
// The compatibility routines made callable by name from expression texts (menu definitions
// call ISFLAGSET, the start-up calls the fixed-answer routines ...).

#include "platform/expr/expression.h"
#include "platform/vars/var_store.h"

namespace zur::compat {

// Registers ISFLAGSET, SETFLAG, CLEARFLAG, O_CURPATH, O_CD, O_MD, O_DIREXIST, O_GETTEMP,
// N_FUNIQUE, N_FEXT, LISTASARRAY, N_WHOAMI, SWPRUNCMD, OVERLAY, O_ERRMAJOR, N_MLOCK, N_ENCODE,
// N_DECODE and the fixed-answer routines. They work on the evaluation's variables, or on
// `vars` when the evaluation has none; `vars` must outlive the table. N_MLOCK locks in the
// current work area of the evaluation's fields (a dbf::WorkAreas), false without one.
void RegisterCompatFunctions(expr::FunctionTable& table, VarStore& vars);

}  // namespace zur::compat
