#pragma once
// The two checking reports printed at the end of a checking run, from the holdings records in
// index order: the stock shortage report (stocks whose main account "01" would run short) and
// the ZUR status report (every account with its quantities and the transfer decided for it).

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "print/codes/pitch_codes.h"
#include "print/device/printer_device.h"
#include "run/reports/report_data.h"
#include "run/reports/report_records.h"

namespace zur::reports {

// Prints the stock shortage report; nothing at all when no stock is short. Returns the
// number of pages.
int PrintShortageReport(print::PrinterDevice& device, const print::PrinterKind& printer,
                        const ReportContext& context, const ReportRecords& records);

// Prints the ZUR status report; a page saying that no ZUR record was generated when no line
// qualifies. Returns the number of pages.
int PrintStatusReport(print::PrinterDevice& device, const print::PrinterKind& printer,
                      const ReportContext& context, const ReportRecords& records);

// The report widths: the shortage report 120 columns, the status report 131, both wider with
// the 8-character account format.
int ShortageWidth(bool eight_digit);
int StatusWidth(bool eight_digit);

// The lines shown to the operator when the run ends.
std::vector<std::string> EndOfRunMessages(std::string_view ati_text, std::string_view sti_text,
                                          bool eight_digit);

}  // namespace zur::reports
