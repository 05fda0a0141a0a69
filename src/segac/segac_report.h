#pragma once
// The client segregated account report: every client with a segregated account, in the
// active order of the client master, with the account beside the client's number and name.

#include "platform/dbf/table.h"
#include "print/device/printer_device.h"
#include "run/reports/report_data.h"
#include "segac/client_master.h"

namespace zur::segac {

inline constexpr std::string_view kReportTitle = "CLIENT SEGREGATED A/C REPORT";

// Prints from the first record in the active order (filter in force), passing over deleted
// records and those without a segregated account; the second name line only when there is
// one. Pages of 80 columns end after row 54. Returns the number of pages printed (0: none,
// nothing printed).
int PrintSegacReport(dbf::Table& clients, const ClientFields& fields, print::PrinterDevice& device,
                     const reports::ReportContext& context);

}  // namespace zur::segac
