#pragma once
// SETPRINTW, the printer-name prompt: a port ("LPT1", "COM1" ...) checked for readiness, or a
// file that printed output is written to, and whether the port is a network printer.
//
// A file name without an extension, or with one of more than three characters, gets ".PRN".
// A folder of the name that does not exist is made; when it cannot be, the printer stays as it
// was. A file that exists and is not empty is overwritten or appended to, as the operator
// answers; Esc there keeps the printer as it was.

#include <string>
#include <string_view>

#include "print/select/printer_dialogs.h"

namespace zur::print {

// The file a typed printer file name stands for.
std::string PrinterFileName(std::string_view name);

void AskPrinterName(const PrinterDialogs& dialogs);

}  // namespace zur::print
