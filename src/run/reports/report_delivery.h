#pragma once
// The checking reports from the run to paper: where printed output goes (a fresh audit file per
// report printed on the system or PDF printer, or the configured port or file), the copies
// the operator asked to keep, and what happens to a report that cannot be printed.

#include <chrono>
#include <filesystem>
#include <optional>

#include "platform/dbf/table.h"
#include "platform/vars/var_store.h"
#include "run/operator/operator.h"
#include "run/reports/print_checking_reports.h"

namespace zur::reports {

struct DeliveryOptions {
  std::filesystem::path working_dir;   // the audit folder, "LPT_n" files, PDF folder are here
  std::filesystem::path keep_reports;  // empty: no copies; else "SHORTAGE.TXT" and the like
  // The time printed on the reports and stamped into their PDFs; empty: when they print.
  std::optional<std::chrono::system_clock::time_point> print_time;
};

// Prints the stock shortage report and the ZUR status report (see PrintCheckingReports for
// what must be ready). With system printing each report is written to a new file in the audit
// folder, printed, and deleted once printed; a report that cannot be printed stays there and
// the operator gets a "WARNING: " line naming it. Otherwise output goes to PRINT_NAME, a port
// that is not ready falling back to a file in the audit folder. Sets MAIN_STR, WIN_TEXT,
// PRINT_NAME and WinPtPort as it goes. Returns false when a report could not be printed.
// A report that could not even be written completely (a full disk) is not kept: the incomplete
// file is removed and an "ERROR: ..." message says so; `all_written`, when given, is then set
// false (and true otherwise). The records are walked through `index` when given, else in the
// table's order on the key.
bool DeliverCheckingReports(dbf::Table& atimast, VarStore& vars, run::Operator& op,
                            const DeliveryOptions& options, bool* all_written = nullptr,
                            holdings::HoldingsIndex* index = nullptr);

}  // namespace zur::reports
