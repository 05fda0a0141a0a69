#pragma once
// The formatting routines made callable by name from expression texts: index keys such as
// "STRVAL3(MSTKNO)", report and upload expressions, the console.

#include "platform/expr/expression.h"
#include "platform/vars/var_store.h"

namespace zur::format {

// Registers STRVAL, STRVAL2, STRVAL3, STRVAL_D, LEADZERO, FMTACNUM, CCASS0705, CCASS0705R,
// SIEXCATC, SIEXCATN (both append to P_STR), DMYY, FULLDATE, SHORTDATE, DATECONV, FDMY,
// ISHKMARKET, ISHKCURCY, CUTCSV2, CUTFIELD, READTEXT2ARRARY, SETLEN and CUTCOMMA. They read
// the evaluation's variables, or `vars` when the evaluation has none; `vars` must outlive
// the table. A wrong argument type gives an error naming the routine.
void RegisterFormatFunctions(expr::FunctionTable& table, VarStore& vars);

}  // namespace zur::format
