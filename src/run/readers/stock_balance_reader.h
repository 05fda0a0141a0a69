#pragma once
// The daily stock balance report: the participant's CCASS holdings per stock and per CCASS
// stock account, recorded in the holdings table through HoldingsBook. Three layouts are read:
//   A  the daily stock balance report with 8-digit accounts: accounts on one line, their
//      quantities and values on the next;
//   B  the daily stock balance report with 2-character accounts: three account blocks a line;
//   C  the older "STATEMENT OF STOCK ACCOUNTS": one account a line with its closing balance.

#include <string>

#include "platform/vars/var_store.h"
#include "run/operator/operator.h"
#include "run/readers/holdings_book.h"
#include "run/readers/report_walk.h"

namespace zur::readers {

inline constexpr std::string_view kStockBalanceReport = "DAILY STOCK BALANCE REPORT";
inline constexpr std::string_view kStockAccountsStatement = "STATEMENT OF STOCK ACCOUNTS";

struct StockBalanceInputs {
  bool enhanced = false;            // ENHANCED: the report layout of the later CCASS releases
  bool eight_digit_layout = false;  // CCASS0705R(): accounts printed with 8 digits
  bool sas_mkt = false;             // SAS_MKT: the report's market is checked
  std::string system_key;           // SYSTEM_KEY: "SAS ", "SZMK" or a Hong Kong installation
  int right_shift = 0;              // RIGHT_SHIFT as the page scan left it

  // ENHANCED, CAS3_0705, GEN_DATE, SAS_MKT, SYSTEM_KEY and RIGHT_SHIFT.
  static StockBalanceInputs FromVars(const VarStore& vars);
};

// What the driver sets from the result: M_NAME (report_name), NEW_REPORT, CAS3_RPT,
// STK_SHIFT, RIGHT_SHIFT, CAS_DATE, CAS_TIME and CAS_PAGE. The settlement report reader and
// the checking reports read them.
struct StockBalanceResult {
  std::string report_name;  // the title found
  bool new_report = false;  // the daily report (false: the statement of stock accounts)
  bool cas3_rpt = false;    // the stock number column is 5 wide
  int stk_shift = 0;        // 1 with cas3_rpt
  int right_shift = 0;      // columns the body is shifted right by
  std::string cas_date;     // run date, time and page of the report's first page
  std::string cas_time;
  int cas_page = 0;
  bool pages_out_of_order = false;
  int holdings = 0;  // holdings recorded
};

// Shows "Reading "<title>" report ..." and records every holding of the report. Neither
// title in the file, or a report of another market, ends the run: the message is shown in a
// box titled "ZUR" and run::RunStopped thrown. Pages out of order give a blinking warning.
StockBalanceResult ReadStockBalanceReport(const ReportSource& source, const StockBalanceInputs& in,
                                          HoldingsBook& book, run::Operator& op);

}  // namespace zur::readers
