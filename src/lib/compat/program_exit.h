#pragma once
// What happens when the program ends.

#include <functional>

#include "platform/vars/var_store.h"

namespace zur::compat {

// The end-of-program procedure: `close_printer_output` (when given) closes the printer output
// file, then the file named by WinPtPort (a text naming an existing regular file) is deleted.
// Returns true when a file was deleted.
bool ExitXbSend(const VarStore& vars, const std::function<void()>& close_printer_output);

}  // namespace zur::compat
