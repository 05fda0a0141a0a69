#pragma once
// SELEWINPRINTER, the system printer dialog (menu entries "2. Select Windows Printer" and,
// with the kind "PDF", "3. Select PDF Printer"): it lists the destinations of the print
// scheduler, the one set (DEF_ATI_PTR, DEF_PDF_PTR) or else the default lit. The PDF printer
// is a folder that PDF files are written into ("PDF" of the database directory unless another
// is given), or a destination of the scheduler that makes PDF files. A confirmed choice is
// kept in its variable and all variables are saved to "ZUR.XBS".

#include <functional>
#include <optional>
#include <string>

#include "print/destinations/destinations.h"
#include "print/select/printer_dialogs.h"

namespace zur::print {

using DestinationLister = std::function<DestinationList()>;

void SelectSystemPrinter(const PrinterDialogs& dialogs, const std::optional<std::string>& kind,
                         const DestinationLister& lister = ListDestinations);

}  // namespace zur::print
