#pragma once
// The STI status report: every stock transfer instruction still pending at report time is
// booked as if done, the quantity added to the receiving account and taken from the
// delivering one. Runs before the stock balance report is read; a file without this report
// leaves the holdings untouched.

#include "run/operator/operator.h"
#include "run/readers/holdings_book.h"
#include "run/readers/report_walk.h"

namespace zur::readers {

inline constexpr std::string_view kStiStatusReport = "STI STATUS REPORT";

struct StiStatusResult {
  bool found = false;    // the report is in the file
  int instructions = 0;  // pending instructions booked
};

// Shows "Reading "STI STATUS REPORT" report ..." and books every pending instruction
// through `book`. Reading ends at "END OF REPORT", at the total line of the pending section,
// or where the next report starts. Nothing for the driver to set from the result.
StiStatusResult ReadStiStatusReport(const ReportSource& source, HoldingsBook& book,
                                    run::Operator& op);

}  // namespace zur::readers
