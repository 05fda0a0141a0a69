#pragma once
// The settlement report: the net quantity per stock still to be delivered to or received
// from CCASS (section "UNSETTLED POSITIONS"), added to AODQTY of the main account "01".
// A file without this report is not fatal: the result says so (SKIP_UNSTL).

#include <string>

#include "platform/vars/var_store.h"
#include "run/operator/operator.h"
#include "run/readers/holdings_book.h"
#include "run/readers/report_walk.h"

namespace zur::readers {

inline constexpr std::string_view kSettlementReport = "SETTLEMENT REPORT";

struct SettlementInputs {
  bool enhanced = false;  // ENHANCED
  int right_shift = 0;    // RIGHT_SHIFT as the stock balance report left it
  int stk_shift = 0;      // STK_SHIFT as the stock balance report left it

  static SettlementInputs FromVars(const VarStore& vars);
};

// What the driver sets from the result: SKIP_UNSTL (the checking reports read it), and
// STL_DATE, STL_TIME, STL_PAGE, NEW_UNSTL.
struct SettlementResult {
  bool skip_unstl = false;  // no settlement report: unsettled positions not read
  std::string stl_date;     // run date, time and page of the report's first page
  std::string stl_time;
  int stl_page = 0;
  bool new_unstl = false;  // the quantity columns are not where they used to be
  bool pages_out_of_order = false;
  int stock_totals = 0;  // stock total lines added
};

// Shows "Reading "SETTLEMENT REPORT" ..." and adds every stock total of the unsettled
// positions. Reading starts at the last page numbered 1 of the report's first run of pages.
// Without the report: a blinking warning and skip_unstl. A stock total before the column
// heading that locates the quantities ends the run (message box "ZUR", run::RunStopped);
// a stock total without a stock number is passed over with a blinking warning.
SettlementResult ReadSettlementReport(const ReportSource& source, const SettlementInputs& in,
                                      HoldingsBook& book, run::Operator& op);

}  // namespace zur::readers
