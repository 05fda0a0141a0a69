#pragma once
// SELPTRW, the printer-type menu (main menu "S", Alt+P, Ctrl+F10): EPSON, the site's line or
// laser printers, or the system printer with its font and offsets; "set as default" keeps the
// type for the next start (DEF_CUR_PTR, saved in "ZUR.XBS").
//
// Keys typed before the menu shows are dropped, so that they cannot answer it. The answer is
// one key (Enter takes the lit one); Tab goes to the check box and back, Space ticks it; Esc
// leaves and changes nothing, as does an answer that is no option.

#include "print/select/printer_dialogs.h"

namespace zur::print {

void SelectPrinterType(const PrinterDialogs& dialogs);

}  // namespace zur::print
