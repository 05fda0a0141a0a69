#pragma once
// The font dialog of the system printer (the printer-type menu's answer "W"): the font of
// reports by its number (1 to 4, or 11 to 22 where the installation has extra fonts) and the
// left offsets in landscape and portrait mode (0 to 10), shown below the menu.

#include "print/select/printer_dialogs.h"

namespace zur::print {

// Sets WinPtFont, WinPtOfset and WinPrtOfst; false, with nothing changed, when left with Esc.
bool ChooseFont(const PrinterDialogs& dialogs);

}  // namespace zur::print
